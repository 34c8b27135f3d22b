// The start-up sequence in-process against the test server, from a program
// folder of its own, and the built terminal program as a process.
#include "ProgramFolder.h"
#include "StartUp.h"

#include "Components/MirelComp/MirelPicture.h"
#include "core/MyConfig.h"
#include "core/TCM.h"
#include "core/uKV_Common_Text.h"
#include "core/uKV_DataModule.h"
#include "platform/os/Clock.h"
#include "platform/os/CodePage.h"
#include "platform/os/IniFile.h"
#include "platform/os/ProgramFile.h"
#include "platform/os/SingleInstance.h"
#include "server/Store.h"
#include "shell/NoticeBrowser.h"
#include "shell/U401_Dialog.h"
#include "shell/U403_Keyboard.h"
#include "signin/u501_Login.h"
#include "signin/u502_MngUsers.h"

#include <QLabel>
#include "shell/U505_ScrollMenu.h"
#include "support/TestServer.h"
#include "support/UpdateFixtures.h"
#include "ui_u501_Login.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <SQLiteCpp/SQLiteCpp.h>

#include <gtest/gtest.h>

namespace {

using Texts = QList<QPair<QString, int>>;

Texts tableTexts(const std::vector<StartUpStep> &steps)
{
    Texts texts;
    for (const StartUpStep &s : steps)
        if (s.percent >= 0)
            texts.append({QString::fromUtf8(s.text), s.percent});
    return texts;
}

// The calls of the start-up steps, then of the windows (the user list loads its users once).
const QStringList kStartUpCalls = {
    "GP_SELECT_F0050_POS_USERLIST",     "GP_SELECT_F0060_STOCK_POS_TYPEA",
    "GP_SELECT_F0061_STOCK_POS_TYPEB",  "GP_SELECT_F0200_STOCK_POS_ITEMS",
    "SQL:time",                         "GP_SELECT_F0000_POS_CONFIG",
    "GP_SELECT_F0003_PRODUCTPOSCONFIG",
};
const QStringList kFullRunCalls = kStartUpCalls + QStringList{"GP_SELECT_F0050_POS_USERLIST"};

// The sign-in screen's notice browser: a plain widget that records the
// addresses it is sent to, in place of the web view.
class RecordingBrowser : public NoticeBrowser {
public:
    explicit RecordingBrowser(QWidget *parent) : m_widget(new QWidget(parent)) {}
    QWidget *widget() const override { return m_widget; }
    void Navigate(const QString &url) override { navigated.append(url); }
    static inline QStringList navigated;

private:
    QWidget *m_widget;
};

class StartUp : public ::testing::Test {
public:
    static void SetUpTestSuite()
    {
        SetNoticeBrowserFactory([](QWidget *parent) { return std::make_unique<RecordingBrowser>(parent); });
        s_updates = new QTemporaryDir;
        s_library = new QTemporaryDir;
        CopyCipherLibrary(s_library->path());
        s_server = new TestServer;
        s_server->serveUpdates(s_updates->path());
        s_server->start();
        mirel::setPictureFolder(BuiltProgramDir() + QStringLiteral("/img/"));
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        delete s_updates;
        delete s_library;
        mirel::setPictureFolder(QString());
    }

protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        saved = MyConfig;
        MyConfig = TMyConfig();
        HandOverToUpdater = false;
        QDir(s_updates->path()).removeRecursively();
        QDir().mkpath(s_updates->path());
        ASSERT_TRUE(PrepareProgramFolder(dir.path(), s_library->path(), *s_server));
        s_server->clearCalls();
    }

    void TearDown() override
    {
        DestroyWindows();
        FreeModules();
        HandOverToUpdater = false;
        os::SetProgramFilePath(QString());
        os::SetClockOffset(0);
        LogFileName.clear();
        MyConfig = saved;
    }

    // Runs the start-up steps and, when they succeed, the window steps.
    bool start()
    {
        texts.clear();
        const StartUpStatus record = [this](const QString &text, int percent) { texts.append({text, percent}); };
        const bool ok = RunStartUpSteps(record);
        return ok && RunWindowSteps(record);
    }

    static void sql(const char *statement)
    {
        auto lease = s_server->store().acquire();
        lease.db().exec(statement);
    }

    QString log() const
    {
        QFile f(LogFileName);
        return f.open(QIODevice::ReadOnly) ? os::FromAnsi(f.readAll()) : QString();
    }

    bool anyWindow() const { return MainForm() || F401_Dialog || F505_ScrollMenu || F403_Keyboard; }

    static TestServer *s_server;
    static QTemporaryDir *s_updates;
    static QTemporaryDir *s_library;
    QTemporaryDir dir;
    TMyConfig saved;
    Texts texts;
};

TestServer *StartUp::s_server = nullptr;
QTemporaryDir *StartUp::s_updates = nullptr;
QTemporaryDir *StartUp::s_library = nullptr;

TEST_F(StartUp, AFullStartShowsEveryStepLoadsInOrderAndCreatesTheWindows)
{
    os::SetClockOffset(-3LL * 24 * 3600 * 1000); // the terminal's clock is days off
    ASSERT_TRUE(start()) << log().toStdString();

    EXPECT_EQ(texts, tableTexts(StartUpSteps()) + tableTexts(WindowSteps()));
    EXPECT_EQ(s_server->calls(), kFullRunCalls);
    ASSERT_TRUE(MainForm());
    EXPECT_TRUE(F401_Dialog && F505_ScrollMenu && F403_Keyboard && F502_MngUsers);
    EXPECT_EQ(MainForm(), F501_Login);
    EXPECT_EQ(F501_Login->form().lb_PosTitle->text(), QString::fromUtf8("99(데모지점)"));
    EXPECT_TRUE(MyConfig.CNT);
    EXPECT_EQ(MyConfig.PrMessage2, QString::fromUtf8("데모지점")); // the terminal's configuration row
    // The application clock follows the server's.
    EXPECT_LT(qAbs(os::Now().msecsTo(QDateTime::currentDateTime())), 60 * 1000);

    // Closing the main form ends the message loop; the hidden menu and
    // keyboard do not keep it running.
    QTimer::singleShot(50, MainForm(), [] { MainForm()->close(); });
    RunMessageLoop();
    EXPECT_FALSE(MainForm()->isVisible());
    DestroyWindows();
    EXPECT_FALSE(anyWindow());
}

TEST_F(StartUp, AMissingCipherLibraryRunsTheTextsThroughAndTouchesNothing)
{
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("dll/EnMirel.Dll"))));
    EXPECT_FALSE(start());

    EXPECT_EQ(texts, tableTexts(StartUpSteps()));
    EXPECT_TRUE(log().contains(QString::fromUtf8("EnMirel.Dll모듈 로드 실패"))) << log().toStdString();
    EXPECT_EQ(s_server->calls(), QStringList());
    EXPECT_EQ(DM, nullptr);
    EXPECT_FALSE(anyWindow());
    EXPECT_FALSE(HandOverToUpdater);
}

TEST_F(StartUp, AFailingLocalDatabaseStillLoadsTheCategoriesAndItems)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("KVLB.db"))); // a folder where the file belongs
    EXPECT_FALSE(start());

    EXPECT_EQ(texts, tableTexts(StartUpSteps()));
    EXPECT_EQ(s_server->calls(), (QStringList{"GP_SELECT_F0060_STOCK_POS_TYPEA", "GP_SELECT_F0061_STOCK_POS_TYPEB",
                                              "GP_SELECT_F0200_STOCK_POS_ITEMS"}));
    EXPECT_TRUE(log().contains(QStringLiteral("TDM.LDB_Open Error:"))) << log().toStdString();
    EXPECT_NE(DM, nullptr);
    EXPECT_FALSE(anyWindow());
}

TEST_F(StartUp, TheConfigurationRowIsOptionalThePrinterKindRowIsNot)
{
    // No configuration row: the built-in defaults, online, and the windows.
    sql("CREATE TABLE keep_F0000 AS SELECT * FROM F0000 WHERE SCCMCD = '9999' AND SCBUUT = '9999' AND SCPOID = '99';"
        "DELETE FROM F0000 WHERE SCCMCD = '9999' AND SCBUUT = '9999' AND SCPOID = '99'");
    const bool withoutConfigRow = start();
    TMyConfig defaults;
    ApplyConfigDefaults(defaults);
    const bool keptDefaults = MyConfig.PrMessage1 == defaults.PrMessage1 && MyConfig.PrMessage2 == defaults.PrMessage2;
    const bool windows = MainForm() != nullptr;
    const bool online = MyConfig.CNT;
    sql("INSERT INTO F0000 SELECT * FROM keep_F0000; DROP TABLE keep_F0000");
    EXPECT_TRUE(withoutConfigRow) << log().toStdString();
    EXPECT_TRUE(keptDefaults);
    EXPECT_TRUE(windows);
    EXPECT_TRUE(online);
    DestroyWindows();
    FreeModules();

    // The printer-kind load fails (our server answers a terminal without a
    // row with the receipt-printer kind, so the load is made to fail): logged,
    // no window.
    s_server->clearCalls();
    s_server->failCall(QStringLiteral("GP_SELECT_F0003_PRODUCTPOSCONFIG"), 1, TestServer::FailMode::BeforeRun);
    const bool withoutPrinterKind = start();
    s_server->clearFailures();
    EXPECT_FALSE(withoutPrinterKind);
    EXPECT_TRUE(log().contains(QStringLiteral("TDM.SsLoadConfig Error:"))) << log().toStdString();
    EXPECT_EQ(s_server->calls(), kStartUpCalls);
    EXPECT_FALSE(anyWindow());
}

TEST_F(StartUp, ANewerProgramHandsOverToTheUpdaterOnce)
{
    ASSERT_TRUE(Publish(s_updates->path(), QByteArray(), ProgramBytes(QStringLiteral("9.0.0.0"))));
    const QString argsFile = dir.filePath(QStringLiteral("args.txt"));
    ASSERT_TRUE(WriteProgram(dir.filePath(QStringLiteral("Mupdater")),
                             QByteArray("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args.tmp\"\n"
                                        "mv \"$(dirname \"$0\")/args.tmp\" \"$(dirname \"$0\")/args.txt\"\n")));

    EXPECT_FALSE(start());
    EXPECT_TRUE(HandOverToUpdater);
    EXPECT_FALSE(anyWindow());
    EXPECT_FALSE(s_server->calls().contains(QStringLiteral("GP_SELECT_F0000_POS_CONFIG")));
    const QString upu = MyConfig.UPU;
    FreeModules();
    EXPECT_EQ(HandOverIfDue(ExitStartFailed), ExitHandedOver);

    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(argsFile) && waited.elapsed() < 10000)
        QThread::msleep(20);
    QFile args(argsFile);
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(args.readAll()), QStringLiteral("KV_RALD.bz2\nKV_RALD.exe\n") + upu + "\n");
    const IniFile ini(dir.filePath(QStringLiteral("KV_RALD.ini")));
    EXPECT_FALSE(ini.ReadString(QStringLiteral("SYSTEM"), QStringLiteral("PDT"), QString()).isEmpty());

    // A second start within the pause opens the sign-in screen.
    HandOverToUpdater = false;
    EXPECT_TRUE(start()) << log().toStdString();
    EXPECT_FALSE(HandOverToUpdater);
    EXPECT_TRUE(MainForm());
}

TEST_F(StartUp, AnUpdaterThatCannotStartIsLogged)
{
    LogFileName = dir.filePath(QStringLiteral("test.log"));
    HandOverToUpdater = false;
    EXPECT_EQ(HandOverIfDue(ExitNormal), ExitNormal);
    HandOverToUpdater = true;
    MyConfig.UPU = QStringLiteral("http://127.0.0.1:1/");
    EXPECT_EQ(HandOverIfDue(ExitStartFailed), ExitHandOverFailed);
    EXPECT_TRUE(log().contains(QStringLiteral("Mupdater KV_RALD.bz2 KV_RALD.exe http://127.0.0.1:1/")))
        << log().toStdString();
}

// The built program in a folder of its own, as a process.
class TerminalProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(runtime.isValid());
        ASSERT_TRUE(QFile::copy(QStringLiteral(KV_RALD_PATH), dir.filePath(QStringLiteral("KV_RALD"))));
    }

    int run(QString *errors = nullptr)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(dir.filePath(QStringLiteral("KV_RALD")), {});
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            return -1;
        }
        if (errors)
            *errors = QString::fromLocal8Bit(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    }

    QTemporaryDir dir;
    QTemporaryDir runtime;
};

TEST_F(TerminalProcess, ASecondCopyEndsAtOnceAndAFailedStartEndsWithOne)
{
    // Another copy holds the lock: status 2, nothing written.
    const QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    {
        os::SingleInstance other;
        ASSERT_TRUE(other.tryLock(QString::fromLatin1(os::ProgramInstanceName)));
        EXPECT_EQ(run(), ExitSecondCopy);
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("log"))));
    }
    qputenv("XDG_RUNTIME_DIR", previous);

    // Without the cipher library: the splash runs through and the program
    // ends with 1, the library's line in the day's log.
    QString errors;
    EXPECT_EQ(run(&errors), ExitStartFailed) << errors.toStdString();
    const QStringList logs = QDir(dir.filePath(QStringLiteral("log"))).entryList({QStringLiteral("*.log")});
    ASSERT_EQ(logs.size(), 1);
    QFile f(dir.filePath(QStringLiteral("log/") + logs.first()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(os::FromAnsi(f.readAll()).contains(QString::fromUtf8("EnMirel.Dll모듈 로드 실패")));
}

} // namespace
