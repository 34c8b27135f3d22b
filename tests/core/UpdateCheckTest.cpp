#include "core/MyConfig.h"
#include "core/TCM.h"
#include "core/uKV_Common_Text.h"
#include "HqServer.h"
#include "platform/os/Clock.h"
#include "platform/os/CodePage.h"
#include "platform/os/IniFile.h"
#include "platform/os/ProgramFile.h"
#include "support/TestServer.h"
#include "support/UpdateFixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <mutex>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

TEST(IsNewerVersion, ComparesUpToFourNumbersRepeatingTheLastOne)
{
    struct Case { const char *local, *server; bool newer; };
    const Case cases[] = {
        {"1.2", "1.2.0.1", false},     // local compares as 1.2.2.2
        {"", "0.0.0.1", true},
        {"1.0.0.2", "1.0.0.3", true},
        {"1.0.0.3", "1.0.0.2", false},
        {"1.0.0.3", "1.0.0.3", false},
        {"1.a", "1.0.0.1", true},       // "a" counts as 0
        {"2", "1.9.9.9", false},
        {"1.2.3.4", "1.2.3.4.9", false}, // a fifth part is never reached
        {"0", "0", false},
        {"1.0.0.2", "", false},          // no answer: nothing is newer
    };
    for (const Case &c : cases)
        EXPECT_EQ(TCM::IsNewerVersion(QString::fromLatin1(c.local), QString::fromLatin1(c.server)), c.newer)
            << c.local << " vs " << c.server;
}

TEST(GetVersionInfo, FromTheMarkerOrMinusOne)
{
    QTemporaryDir dir;
    const QString with = dir.filePath(QStringLiteral("with"));
    const QString without = dir.filePath(QStringLiteral("without"));
    ASSERT_TRUE(WriteProgram(with, ProgramBytes(QStringLiteral("1.0.0.3"))));
    ASSERT_TRUE(WriteProgram(without, ProgramBytes(QString())));
    TCM cm;
    TVersionInfo info;
    EXPECT_EQ(cm.GetVersionInfo(with, info), 0);
    EXPECT_EQ(info.FileVersion, QStringLiteral("1.0.0.3"));
    EXPECT_EQ(info.ProductVersion, QStringLiteral("1.0.0.3"));
    EXPECT_TRUE(info.CompanyName.isEmpty() && info.Comments.isEmpty() && info.ProductName.isEmpty());
    EXPECT_EQ(cm.GetVersionInfo(without, info), -1);
    EXPECT_TRUE(info.FileVersion.isEmpty() && info.ProductVersion.isEmpty());
    EXPECT_EQ(cm.GetFileVersion(dir.filePath(QStringLiteral("missing"))), QString());
}

TEST(CheckInternet, AnswersFalseWithoutAUsableAddress)
{
    const TMyConfig saved = MyConfig;
    TCM cm;
    for (const char *address : {"", "not-an-address", "127.0.0.1.5"}) {
        MyConfig.CIP = QString::fromLatin1(address);
        EXPECT_FALSE(cm.CheckInternet()) << address;
        EXPECT_FALSE(cm.PingOnline);
    }
    MyConfig = saved;
}

TEST(CheckInternet, LoopbackAnswersWhenThePingSocketIsAllowed)
{
    const int probe = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_ICMP);
    if (probe < 0)
        GTEST_SKIP() << "datagram ICMP sockets are not allowed for this user here";
    ::close(probe);
    const TMyConfig saved = MyConfig;
    MyConfig.CIP = QStringLiteral("127.0.0.1");
    TCM cm;
    EXPECT_TRUE(cm.CheckInternet());
    EXPECT_TRUE(cm.PingOnline);
    MyConfig = saved;
}

namespace {

// A program folder (<tmp>/KV_RALD, the cipher library, an updater file) and
// one test server for the suite, serving an update folder; the version answer
// can be replaced by a text of the test's own.
class UpdateCheck : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_updates = new UpdateServer([](hq::HqServer &server) {
            server.addPages([](const std::string &path, const hq::Query &, hq::Page &page) {
                std::lock_guard lock(s_mutex);
                if (path != "/Talvenrode_RAldver.asp" || s_answer.empty())
                    return false;
                page.status = 200;
                page.body = s_answer;
                return true;
            });
        });
    }
    static void TearDownTestSuite() { delete s_updates; }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        s_updates->clear();
        answer(std::string());
        os::SetProgramFilePath(dir.filePath(QStringLiteral("KV_RALD")));
        ASSERT_TRUE(WriteProgram(dir.filePath(QStringLiteral("KV_RALD")), ProgramBytes(QStringLiteral("1.2.0.0"))));
        ASSERT_TRUE(WriteProgram(dir.filePath(QStringLiteral("Mupdater")), ProgramBytes(QStringLiteral("1.0.0.2"))));
        QDir(dir.path()).mkdir(QStringLiteral("log"));
        LogFileName = dir.filePath(QStringLiteral("log/test.log"));
        saved = MyConfig;
        MyConfig = TMyConfig();
        MyConfig.UPU = s_updates->base();
        MyConfig.UPP = QStringLiteral("MUpdater.exe");
        cm = std::make_unique<TCM>();
        cm->ExeDir = dir.path() + QLatin1Char('/');
        ASSERT_TRUE(CopyCipherLibrary(dir.path()));
        ASSERT_TRUE(cm->LoadCipherLibrary());
        previousWindow = SetUpdaterWindowHandler([this] { ++windowsShown; });
    }

    void TearDown() override
    {
        SetUpdaterWindowHandler(previousWindow);
        os::SetProgramFilePath(QString());
        os::SetClockOffset(0);
        LogFileName.clear();
        MyConfig = saved;
    }

    static void answer(const std::string &text)
    {
        std::lock_guard lock(s_mutex);
        s_answer = text;
    }

    QString log() const
    {
        QFile f(LogFileName);
        return f.open(QIODevice::ReadOnly) ? os::FromAnsi(f.readAll()) : QString();
    }

    QString pdt() const
    {
        const IniFile ini(cm->IniFileName());
        const QString stored = ini.ReadString(QStringLiteral("SYSTEM"), QStringLiteral("PDT"), QString());
        return stored.isEmpty() ? QString() : cm->DecryptIniText(stored);
    }

    void storePdt(const QString &plain)
    {
        IniFile ini(cm->IniFileName());
        ini.WriteString(QStringLiteral("SYSTEM"), QStringLiteral("PDT"), cm->EncryptIniText(plain));
    }

    static QString stamp(const QDateTime &t) { return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

    static UpdateServer *s_updates;
    static std::mutex s_mutex;
    static std::string s_answer;

    QTemporaryDir dir;
    std::unique_ptr<TCM> cm;
    TMyConfig saved;
    UpdaterWindowHandler previousWindow;
    int windowsShown = 0;
};

UpdateServer *UpdateCheck::s_updates = nullptr;
std::mutex UpdateCheck::s_mutex;
std::string UpdateCheck::s_answer;

} // namespace

TEST_F(UpdateCheck, NothingPublishedGoesOnQuietly)
{
    EXPECT_TRUE(cm->CheckUpdate());
    EXPECT_EQ(windowsShown, 0);
    EXPECT_EQ(log(), QString());
    EXPECT_EQ(MyConfig.POSVersion, QStringLiteral("1.2.0.0"));
    EXPECT_EQ(pdt(), QString());
}

TEST_F(UpdateCheck, AFailedVersionRequestIsLoggedAndStartUpGoesOn)
{
    struct Case { const char *name; QString upu; std::string answer; const char *message; };
    const QString base = MyConfig.UPU;
    const Case cases[] = {
        {"unreachable", QStringLiteral("http://127.0.0.1:1/"), "", "cannot connect"},
        {"404", base + QStringLiteral("nowhere/"), "", "HTTP 404"},
        {"two items", base, "RALD=9,MUPDATER=9.0.0.0", "the answer has not three items"},
        {"no =", base, "RALD=9,MUPDATER 9.0.0.0,KV_RALD=9.0.0.0", "no \"=\""},
    };
    for (const Case &c : cases) {
        QFile::remove(LogFileName);
        MyConfig.UPU = c.upu;
        answer(c.answer);
        EXPECT_TRUE(cm->CheckUpdate()) << c.name;
        EXPECT_EQ(windowsShown, 0) << c.name;
        const QString text = log();
        EXPECT_TRUE(text.contains(QStringLiteral("]  MirelUpdater Version Check Error: ")
                                  + QString::fromLatin1(c.message)))
            << c.name << ": " << text.toStdString();
        EXPECT_EQ(text.count(QStringLiteral("\r\n")), 1) << c.name;
    }
}

TEST_F(UpdateCheck, ANewerUpdaterShowsTheWindowOnce)
{
    struct Case { const char *name; QByteArray updaterFile; const char *announced; int windows; };
    const Case cases[] = {
        {"newer", ProgramBytes(QStringLiteral("1.0.0.2")), "1.0.0.3", 1},
        {"same", ProgramBytes(QStringLiteral("1.0.0.3")), "1.0.0.3", 0},
        {"no marker", ProgramBytes(QString()), "0.0.0.1", 1},
        {"no marker, nothing announced", ProgramBytes(QString()), "0", 0},
        {"no updater file", QByteArray(), "0.0.0.1", 1},
    };
    for (const Case &c : cases) {
        QFile::remove(dir.filePath(QStringLiteral("Mupdater")));
        if (!c.updaterFile.isNull()) {
            ASSERT_TRUE(WriteProgram(dir.filePath(QStringLiteral("Mupdater")), c.updaterFile));
        }
        answer("RALD=1.2.0.0,MUPDATER=" + std::string(c.announced) + ",KV_RALD=1.2.0.0");
        windowsShown = 0;
        EXPECT_TRUE(cm->CheckUpdate()) << c.name;
        EXPECT_EQ(windowsShown, c.windows) << c.name;
    }
    EXPECT_EQ(log(), QString());
}

TEST_F(UpdateCheck, UpdaterOnPathIsNotOurs)
{
    // "sh" is on PATH but not in the program folder: the file to replace is
    // the (missing) one of the program folder, so any version is newer.
    MyConfig.UPP = QStringLiteral("sh");
    answer("RALD=1.2.0.0,MUPDATER=0.0.0.1,KV_RALD=1.2.0.0");
    EXPECT_TRUE(cm->CheckUpdate());
    EXPECT_EQ(windowsShown, 1);
    EXPECT_EQ(UpdaterFileName(cm->ExeDir, QStringLiteral("MUpdater.exe")), QStringLiteral("Mupdater"));
    EXPECT_EQ(UpdaterFileName(cm->ExeDir, QStringLiteral("Other.exe")), QStringLiteral("Other"));
}

TEST_F(UpdateCheck, ANewerProgramHandsOverAtMostOncePerPause)
{
    ASSERT_TRUE(Publish(s_updates->folder(), QByteArray(), ProgramBytes(QStringLiteral("1.2.0.1"))));
    os::SetNow(QDateTime(QDate(2026, 3, 2), QTime(10, 0, 0)));
    const QDateTime first = os::Now();

    EXPECT_FALSE(cm->CheckUpdate());
    EXPECT_EQ(pdt(), stamp(first));
    EXPECT_EQ(windowsShown, 0);

    os::SetNow(first.addSecs(40));
    EXPECT_TRUE(cm->CheckUpdate());
    EXPECT_EQ(pdt(), stamp(first));

    os::SetNow(first.addSecs(60));
    EXPECT_FALSE(cm->CheckUpdate());
    EXPECT_EQ(pdt(), stamp(first.addSecs(60)));
    EXPECT_EQ(log(), QString());
}

TEST_F(UpdateCheck, StoredStampsInTheFutureOrUnreadable)
{
    ASSERT_TRUE(Publish(s_updates->folder(), QByteArray(), ProgramBytes(QStringLiteral("1.3"))));
    os::SetNow(QDateTime(QDate(2026, 3, 2), QTime(10, 0, 0)));
    const QDateTime now = os::Now();

    // A stamp in the future holds the hand-over back and stays.
    const QString future = stamp(now.addSecs(3600));
    storePdt(future);
    EXPECT_TRUE(cm->CheckUpdate());
    EXPECT_EQ(pdt(), future);

    // A stamp that is no date-time counts as missing: hand over, stamp now.
    for (const QString &bad : {QStringLiteral("어제"), QStringLiteral("2026-13-45 99:00:00")}) {
        storePdt(bad);
        EXPECT_FALSE(cm->CheckUpdate()) << bad.toStdString();
        EXPECT_EQ(pdt(), stamp(now)) << bad.toStdString();
    }
    // A value the cipher does not accept reads as empty: the same.
    IniFile(cm->IniFileName()).WriteString(QStringLiteral("SYSTEM"), QStringLiteral("PDT"), QStringLiteral("garbage"));
    EXPECT_FALSE(cm->CheckUpdate());
    EXPECT_EQ(pdt(), stamp(now));
}
