#include "core/MyConfig.h"
#include "core/TCM.h"
#include "core/uKV_Common_Text.h"
#include "platform/os/Clock.h"
#include "platform/os/CodePage.h"
#include "platform/os/IniFile.h"
#include "platform/os/ProgramFile.h"
#include "support/UpdateFixtures.h"

#include "Access.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A program folder of its own: <tmp>/KV_RALD with <tmp>/log for the log.
class Settings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        os::SetProgramFilePath(dir.filePath(QStringLiteral("KV_RALD")));
        QDir(dir.path()).mkdir(QStringLiteral("log"));
        LogFileName = dir.filePath(QStringLiteral("log/test.log"));
        MyConfig = TMyConfig();
        cm = std::make_unique<TCM>();
        cm->ExeDir = dir.path() + QLatin1Char('/');
    }

    void TearDown() override
    {
        os::SetProgramFilePath(QString());
        os::SetClockOffset(0);
        LogFileName.clear();
        MyConfig = TMyConfig();
    }

    // Puts the built cipher library into the program folder and loads it.
    bool installLibrary()
    {
        return CopyCipherLibrary(dir.path()) && cm->LoadCipherLibrary();
    }

    QString log() const
    {
        QFile f(LogFileName);
        return f.open(QIODevice::ReadOnly) ? os::FromAnsi(f.readAll()) : QString();
    }

    QString iniPath() const { return dir.filePath(QStringLiteral("KV_RALD.ini")); }

    QTemporaryDir dir;
    std::unique_ptr<TCM> cm;
};

const QString key = QStringLiteral("T4826193MRLD");

bool isPrintableAscii(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x21 || c.unicode() > 0x7E)
            return false;
    }
    return !text.isEmpty();
}

} // namespace

TEST_F(Settings, InitEnvironmentMakesTheFoldersAndTheLogName)
{
    os::SetNow(QDateTime(QDate(2013, 10, 15), QTime(8, 0)));
    cm->ExeDir.clear();
    ASSERT_TRUE(cm->InitEnvironment());
    EXPECT_EQ(cm->ExeDir, QFileInfo(dir.path()).absoluteFilePath() + QLatin1Char('/'));
    for (const char *name : {"dll", "sign", "log", "media", "sign.back"})
        EXPECT_TRUE(QFileInfo(dir.filePath(QString::fromLatin1(name))).isDir()) << name;
    EXPECT_EQ(LogFileName, cm->ExeDir + QStringLiteral("log/20131015.log"));
    EXPECT_TRUE(cm->InitEnvironment()); // folders that exist are fine
}

TEST_F(Settings, InitEnvironmentFailsWhenAFolderCannotBeMade)
{
    QFile blocker(dir.filePath(QStringLiteral("sign")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder belongs
    blocker.close();
    EXPECT_FALSE(cm->InitEnvironment());
    EXPECT_TRUE(log().contains(QStringLiteral("]  포스 초기화 에러: "))) << log().toStdString();
}

TEST_F(Settings, MissingOrBrokenLibraryLogsAndFails)
{
    EXPECT_FALSE(cm->LoadCipherLibrary());
    EXPECT_TRUE(log().endsWith(QStringLiteral("]  EnMirel.Dll모듈 로드 실패\r\n"))) << log().toStdString();

    QDir(dir.path()).mkdir(QStringLiteral("dll"));
    QFile junk(dir.filePath(QStringLiteral("dll/EnMirel.Dll")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a library");
    junk.close();
    EXPECT_FALSE(cm->LoadCipherLibrary());
    EXPECT_FALSE(cm->CipherLibraryLoaded());

    // Without the library nothing is read or written as if it were.
    EXPECT_FALSE(cm->InitSettings());
    EXPECT_TRUE(log().contains(QStringLiteral("TCM.SaveConnection Error:")));
    EXPECT_FALSE(QFile::exists(iniPath()));
}

TEST_F(Settings, FirstStartWritesTheEighteenKeysAndReadsThemBack)
{
    ASSERT_TRUE(installLibrary());
    MyConfig.UIADNB = QStringLiteral("0007");
    MyConfig.ABNAME = QString::fromUtf8("홍길동");
    ASSERT_TRUE(cm->InitSettings());
    EXPECT_EQ(cm->IniFileName(), iniPath());

    const IniFile ini(iniPath());
    EXPECT_EQ(ini.ReadSections(), (QStringList{"SYSTEM", "COMPANY"}));
    EXPECT_EQ(ini.ReadSection("SYSTEM"),
              (QStringList{"SIP", "SPO", "CIP", "CIV", "LIP", "LDB", "LID", "LPW", "LVR", "CNT", "UPU", "UPP", "TTP",
                           "TLS"}));
    EXPECT_EQ(ini.ReadSection("COMPANY"), (QStringList{"CCD", "SCD", "PID", "TKY"}));

    struct Plain { const char *key; const char *value; };
    for (const Plain &p : {Plain{"CIV", "10"}, Plain{"LVR", "0"}, Plain{"CNT", "0"}, Plain{"TTP", "1"}, Plain{"TLS", "0"}})
        EXPECT_EQ(ini.ReadString("SYSTEM", p.key, "?"), QString::fromLatin1(p.value)) << p.key;

    struct Ciphered { const char *section; const char *key; QString value; };
    const Ciphered ciphered[] = {
        {"SYSTEM", "SIP", "127.0.0.1"}, {"SYSTEM", "SPO", "9999"}, {"SYSTEM", "CIP", "127.0.0.1"},
        {"SYSTEM", "LIP", "127.0.0.1"}, {"SYSTEM", "LDB", "KVLB"}, {"SYSTEM", "LID", "sa"},
        {"SYSTEM", "LPW", "rlocalpw202"}, {"SYSTEM", "UPU", "http://127.0.0.1:9999/"},
        {"SYSTEM", "UPP", "MUpdater.exe"}, {"COMPANY", "CCD", "9999"}, {"COMPANY", "SCD", "9999"},
        {"COMPANY", "PID", "99"}, {"COMPANY", "TKY", QString::fromLatin1(hq::kDemoTerminalKey)},
    };
    for (const Ciphered &c : ciphered) {
        const QString stored = ini.ReadString(c.section, c.key, QString());
        EXPECT_TRUE(isPrintableAscii(stored)) << c.key << " " << stored.toStdString();
        EXPECT_NE(stored, c.value) << c.key;
        // A short value such as "99" or "sa" can turn up by chance in random
        // cipher text; only long values are checked as substrings.
        if (c.value.size() >= 8) {
            EXPECT_FALSE(stored.contains(c.value)) << c.key;
        }
        EXPECT_EQ(cm->DecryptSetting(key, stored), c.value) << c.key;
    }

    // The record holds what was read back.
    EXPECT_EQ(MyConfig.SIP, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(MyConfig.UPU, QStringLiteral("http://127.0.0.1:9999/"));
    EXPECT_EQ(MyConfig.PosNo, QStringLiteral("99"));
    EXPECT_EQ(MyConfig.CIV, 10);
    EXPECT_EQ(MyConfig.TTP, 1);
    EXPECT_FALSE(MyConfig.CNT);
    EXPECT_TRUE(MyConfig.UIADNB.isEmpty());
    EXPECT_TRUE(MyConfig.ABNAME.isEmpty());

    QFile raw(iniPath());
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    EXPECT_TRUE(bytes.startsWith("[SYSTEM]\r\nSIP="));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    EXPECT_FALSE(bytes.contains("PDT"));
}

TEST_F(Settings, AnExistingFileIsReadNotRewritten)
{
    ASSERT_TRUE(installLibrary());
    {
        IniFile ini(iniPath());
        ini.WriteString("COMPANY", "CCD", cm->EncryptSetting(key, QStringLiteral("0105")));
        ini.WriteInteger("SYSTEM", "CIV", 3);
        ini.WriteString("SYSTEM", "CNT", "1");
    }
    QFile f(iniPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();

    ASSERT_TRUE(cm->InitSettings());
    EXPECT_EQ(MyConfig.CompanyCode, QStringLiteral("0105"));
    EXPECT_EQ(MyConfig.CIV, 3);
    EXPECT_TRUE(MyConfig.CNT);
    EXPECT_TRUE(MyConfig.SIP.isEmpty()); // missing keys read as empty, 0, false
    EXPECT_EQ(MyConfig.TTP, 0);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(Settings, HangulValuesRoundTrip)
{
    ASSERT_TRUE(installLibrary());
    const QString name = QString::fromUtf8("오르베사 본점 똠얌꿍 힣");
    MyConfig.CompanyCode = name;
    MyConfig.LPW = QString();
    MyConfig.UPU = QString(151, QLatin1Char('u')); // the longest text that fits
    ASSERT_TRUE(cm->SaveConnection());
    MyConfig = TMyConfig();
    ASSERT_TRUE(cm->LoadConnection());
    EXPECT_EQ(MyConfig.CompanyCode, name);
    EXPECT_TRUE(MyConfig.LPW.isEmpty());
    EXPECT_EQ(MyConfig.UPU, QString(151, QLatin1Char('u')));

    const QString cipher = cm->EncryptSetting(key, name);
    EXPECT_TRUE(isPrintableAscii(cipher));
    EXPECT_LE(cipher.size(), 255);
    EXPECT_EQ(cm->DecryptSetting(key, cipher), name);
}

TEST_F(Settings, ForeignOrDamagedCipherTextGivesTheEmptyText)
{
    ASSERT_TRUE(installLibrary());
    const QString cipher = cm->EncryptSetting(key, QStringLiteral("127.0.0.1"));
    QString damaged = cipher;
    damaged[damaged.size() / 2] = damaged[damaged.size() / 2] == QLatin1Char('A') ? QLatin1Char('B') : QLatin1Char('A');
    const QString cases[] = {
        cm->EncryptSetting(QStringLiteral("X0000000ABCD"), QStringLiteral("127.0.0.1")), // other key
        damaged,
        cipher.left(cipher.size() - 4),
        QStringLiteral("127.0.0.1"),       // a plain value
        QString::fromUtf8("가나다"),
        QString(),
    };
    for (const QString &c : cases)
        EXPECT_EQ(cm->DecryptSetting(key, c), QString()) << c.toStdString();
}

TEST_F(Settings, ATooLongValueFailsTheSaveAndIsLogged)
{
    ASSERT_TRUE(installLibrary());
    const QString longAddress = QString(152, QLatin1Char('u'));
    EXPECT_TRUE(cm->EncryptSetting(key, longAddress).isEmpty());
    EXPECT_TRUE(cm->EncryptSetting(key, QString(76, QChar(0xAC00))).isEmpty()); // 152 bytes in code page 949

    MyConfig.UPU = longAddress;
    EXPECT_FALSE(cm->SaveConnection());
    EXPECT_TRUE(log().contains(QStringLiteral("]  TCM.SaveConnection Error:"))) << log().toStdString();
    EXPECT_TRUE(log().contains(QStringLiteral("UPU")));
    // Nothing empty was written in its place.
    EXPECT_FALSE(IniFile(iniPath()).ValueExists("SYSTEM", "UPU"));
}

TEST_F(Settings, CompanyZeroZeroZeroTwoGetsTheFixedServerFromTheFifteenthOfOctober2013)
{
    ASSERT_TRUE(installLibrary());
    struct Case { const char *company; QDate day; const char *sip; const char *spo; };
    const Case cases[] = {
        {"0002", QDate(2013, 10, 14), "localhost", "8080"},
        {"0002", QDate(2013, 10, 15), "127.0.0.1", "9999"},
        {"0002", QDate(2024, 1, 1), "127.0.0.1", "9999"},
        {"0003", QDate(2013, 10, 15), "localhost", "8080"},
    };
    for (const Case &c : cases) {
        MyConfig.CompanyCode = QString::fromLatin1(c.company);
        MyConfig.SIP = QStringLiteral("localhost");
        MyConfig.SPO = QStringLiteral("8080");
        ASSERT_TRUE(cm->SaveConnection());
        os::SetNow(QDateTime(c.day, QTime(23, 59)));
        ASSERT_TRUE(cm->LoadConnection());
        EXPECT_EQ(MyConfig.SIP, QString::fromLatin1(c.sip)) << c.company << " " << c.day.toString().toStdString();
        EXPECT_EQ(MyConfig.SPO, QString::fromLatin1(c.spo)) << c.company;
    }
    // The INI file itself keeps its own address.
    EXPECT_EQ(cm->DecryptSetting(key, IniFile(iniPath()).ReadString("SYSTEM", "SIP", "")), QStringLiteral("localhost"));
}

TEST_F(Settings, ReadingWithoutTheLibraryFailsAndLogs)
{
    IniFile(iniPath()).WriteString("SYSTEM", "SIP", "abc");
    EXPECT_FALSE(cm->InitSettings());
    EXPECT_TRUE(log().contains(QStringLiteral("]  TCM.LoadConnection Error:"))) << log().toStdString();
}
