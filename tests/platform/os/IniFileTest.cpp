#include "platform/os/CodePage.h"
#include "platform/os/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class Ini : public ::testing::Test
{
protected:
    QString path() const { return dir.filePath(QStringLiteral("KV_RALD.ini")); }

    void writeRaw(const QByteArray &bytes)
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray readRaw() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(Ini, ReadsSectionsAndKeysCaseInsensitively)
{
    writeRaw("; terminal settings\r\n"
             "[System]\r\n"
             "  Sip = abc=def  \r\n"
             "quoted=\"  spaced  \"\r\n"
             "single='x'\r\n"
             "half=\"x\r\n"
             "sip=second\r\n"
             "empty=\r\n"
             "no key line\r\n"
             "[COMPANY]\n"
             "CCD=0002\n"
             "Hex=0x1F\n"
             "Dollar=$10\n"
             "Bad=12a\n");
    const IniFile ini(path());
    struct Case { const char *section, *key, *value; };
    const Case cases[] = {
        {"SYSTEM", "SIP", "abc=def"},   // first "=" splits; the first of two keys counts
        {"system", "QUOTED", "  spaced  "},
        {"SYSTEM", "single", "x"},
        {"SYSTEM", "half", "\"x"},
        {"SYSTEM", "empty", ""},
        {"company", "ccd", "0002"},
        {"SYSTEM", "CCD", "(default)"}, // keys belong to their section
        {"NONE", "SIP", "(default)"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ini.ReadString(c.section, c.key, "(default)"), QString::fromUtf8(c.value)) << c.key;

    EXPECT_EQ(ini.ReadInteger("COMPANY", "CCD", -1), 2);
    EXPECT_EQ(ini.ReadInteger("COMPANY", "Hex", -1), 31);
    EXPECT_EQ(ini.ReadInteger("COMPANY", "Dollar", -1), 16);
    EXPECT_EQ(ini.ReadInteger("COMPANY", "Bad", -1), -1);
    EXPECT_EQ(ini.ReadInteger("COMPANY", "missing", 7), 7);
    EXPECT_TRUE(ini.ReadBool("COMPANY", "CCD", false));
    EXPECT_FALSE(ini.ReadBool("SYSTEM", "empty", false));
    EXPECT_TRUE(ini.ReadBool("SYSTEM", "missing", true));

    EXPECT_EQ(ini.ReadSections(), (QStringList{"System", "COMPANY"}));
    EXPECT_EQ(ini.ReadSection("SYSTEM"), (QStringList{"Sip", "quoted", "single", "half", "empty"}));
    EXPECT_TRUE(ini.SectionExists("system"));
    EXPECT_TRUE(ini.ValueExists("SYSTEM", "EMPTY"));
    EXPECT_FALSE(ini.ValueExists("SYSTEM", "CCD"));
}

TEST_F(Ini, WritesKeepOrderCommentsAndCrLf)
{
    writeRaw("; kept\n[SYSTEM]\nSIP=old\n\nCNT=0\n\n[COMPANY]\nCCD=1\n");
    IniFile ini(path());
    ini.WriteString("system", "sip", "new value");  // in place, key keeps its spelling
    ini.WriteString("SYSTEM", "UPP", "MUpdater.exe"); // after the last key of the section
    ini.WriteInteger("Extra", "CIV", 10);             // a new section at the end
    ini.WriteBool("COMPANY", "Flag", true);
    EXPECT_EQ(readRaw(), QByteArray("; kept\r\n[SYSTEM]\r\nSIP=new value\r\n\r\nCNT=0\r\nUPP=MUpdater.exe\r\n"
                                    "\r\n[COMPANY]\r\nCCD=1\r\nFlag=1\r\n[Extra]\r\nCIV=10\r\n"));

    ini.DeleteKey("SYSTEM", "cnt");
    ini.EraseSection("company");
    EXPECT_EQ(readRaw(), QByteArray("; kept\r\n[SYSTEM]\r\nSIP=new value\r\n\r\nUPP=MUpdater.exe\r\n"
                                    "\r\n[Extra]\r\nCIV=10\r\n"));
}

TEST_F(Ini, NewFileAndSharedFileSeeEachOthersWrites)
{
    IniFile a(path());
    EXPECT_EQ(a.ReadString("SYSTEM", "SIP", "none"), QStringLiteral("none"));
    a.WriteString("SYSTEM", "SIP", QString::fromUtf8("본사 서버"));
    a.WriteString("SYSTEM", "SPO", "9999");
    EXPECT_EQ(readRaw(), QString::fromUtf8("[SYSTEM]\r\nSIP=본사 서버\r\nSPO=9999\r\n").toUtf8());

    const IniFile b(path());
    EXPECT_EQ(b.ReadString("SYSTEM", "SIP", ""), QString::fromUtf8("본사 서버"));
    a.WriteString("SYSTEM", "SPO", "8080");
    EXPECT_EQ(b.ReadString("SYSTEM", "SPO", ""), QStringLiteral("8080"));
}

TEST_F(Ini, ReadsAFileInCodePage949)
{
    writeRaw("[COMPANY]\r\nNAME=" + os::ToAnsi(QString::fromUtf8("오르베사")) + "\r\n");
    EXPECT_EQ(IniFile(path()).ReadString("COMPANY", "NAME", ""), QString::fromUtf8("오르베사"));
}

TEST_F(Ini, UnstorableValuesAndFailedWritesThrow)
{
    IniFile ini(path());
    ini.WriteString("SYSTEM", "SIP", "one");
    EXPECT_THROW(ini.WriteString("SYSTEM", "SIP", "two\r\nCNT=1"), std::runtime_error);
    EXPECT_THROW(ini.WriteString("SYSTEM", "A=B", "x"), std::runtime_error);
    EXPECT_THROW(ini.WriteString("", "SIP", "x"), std::runtime_error);
    EXPECT_EQ(readRaw(), QByteArray("[SYSTEM]\r\nSIP=one\r\n")); // nothing half-written

    IniFile nowhere(dir.filePath("missing-folder/KV_RALD.ini"));
    EXPECT_THROW(nowhere.WriteString("SYSTEM", "SIP", "x"), std::runtime_error);
    EXPECT_EQ(nowhere.ReadString("SYSTEM", "SIP", "d"), QStringLiteral("d"));
}
