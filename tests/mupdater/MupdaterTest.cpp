#include "platform/archive/Bzip2.h"
#include "platform/os/CodePage.h"
#include "support/TestServer.h"
#include "support/UpdateFixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Waits up to 30 s for `done`.
bool waitFor(const std::function<bool()> &done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 30000)
            return false;
        QThread::msleep(20);
    }
    return true;
}

// A program folder with Mupdater and the stand-in terminal of version
// 1.0.0.1, a runtime folder of its own for the single-instance lock, and a
// test server with an update folder.
class MupdaterRun : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_updates = new UpdateServer; }
    static void TearDownTestSuite() { delete s_updates; }

    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        s_updates->clear();
        QDir(tmp.path()).mkdir(QStringLiteral("prog"));
        QDir(tmp.path()).mkdir(QStringLiteral("run"));
        prog = tmp.filePath(QStringLiteral("prog")) + QLatin1Char('/');
        ASSERT_TRUE(WriteProgram(prog + QStringLiteral("Mupdater"), ReadAll(QStringLiteral(MUPDATER))));
        oldProgram = ReadAll(QStringLiteral(STANDIN_OLD));
        newProgram = ReadAll(QStringLiteral(STANDIN_NEW));
        ASSERT_FALSE(oldProgram.isEmpty());
        ASSERT_TRUE(WriteProgram(terminal(), oldProgram));
        env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), tmp.filePath(QStringLiteral("run")));
    }

    void TearDown() override
    {
        QFile::remove(prog + QStringLiteral("hold"));
        if (holder.state() != QProcess::NotRunning) {
            holder.kill();
            holder.waitForFinished(5000);
        }
        if (mupdater.state() != QProcess::NotRunning) {
            mupdater.kill();
            mupdater.waitForFinished(5000);
        }
    }

    QString terminal() const { return prog + QStringLiteral("KV_RALD"); }

    QStringList starts() const
    {
        return QString::fromLatin1(ReadAll(prog + QStringLiteral("starts.txt"))).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QString log() const
    {
        QString text;
        const QDir logs(prog + QStringLiteral("log"));
        for (const QString &name : logs.entryList(QDir::Files))
            text += os::FromAnsi(ReadAll(logs.filePath(name)));
        return text;
    }

    // What remains of the update beside the programs (backups, temporary files).
    QStringList leftovers() const
    {
        QStringList names = QDir(prog).entryList(QDir::Files | QDir::Hidden);
        names.removeAll(QStringLiteral("Mupdater"));
        names.removeAll(QStringLiteral("KV_RALD"));
        names.removeAll(QStringLiteral("starts.txt"));
        return names;
    }

    void startMupdater()
    {
        mupdater.setProcessEnvironment(env);
        mupdater.start(prog + QStringLiteral("Mupdater"),
                       {QStringLiteral("KV_RALD.bz2"), QStringLiteral("KV_RALD.exe"), s_updates->base()});
        ASSERT_TRUE(mupdater.waitForStarted(10000));
    }

    static UpdateServer *s_updates;

    QTemporaryDir tmp;
    QString prog;
    QByteArray oldProgram;
    QByteArray newProgram;
    QProcessEnvironment env;
    QProcess holder;
    QProcess mupdater;
};

UpdateServer *MupdaterRun::s_updates = nullptr;

} // namespace

TEST_F(MupdaterRun, InstallsTheNewerBuildOnceTheTerminalHasEnded)
{
    ASSERT_TRUE(Publish(s_updates->folder(), QByteArray(), newProgram));

    // The terminal still runs and holds its lock.
    ASSERT_TRUE(WriteProgram(prog + QStringLiteral("hold"), "x", 0644));
    holder.setProcessEnvironment(env);
    holder.start(terminal(), {});
    ASSERT_TRUE(waitFor([&] { return starts().size() == 1; }));

    startMupdater();
    ASSERT_TRUE(waitFor([&] { return log().contains(QStringLiteral("Mupdater waiting for the terminal to end")); }))
        << log().toStdString();
    EXPECT_EQ(ReadAll(terminal()), oldProgram) << "nothing replaced while the terminal runs";

    QFile::remove(prog + QStringLiteral("hold"));
    ASSERT_TRUE(holder.waitForFinished(30000));
    ASSERT_TRUE(mupdater.waitForFinished(60000));
    EXPECT_EQ(mupdater.exitCode(), 0) << log().toStdString();

    ASSERT_TRUE(waitFor([&] { return starts().size() == 2; })) << log().toStdString();
    EXPECT_EQ(starts(), (QStringList{QStringLiteral("1.0.0.1"), QStringLiteral("1.0.0.2")}));
    EXPECT_EQ(ReadAll(terminal()), newProgram);
    EXPECT_TRUE(QFileInfo(terminal()).isExecutable());
    EXPECT_EQ(leftovers(), QStringList());
    EXPECT_TRUE(log().contains(QStringLiteral("]  Mupdater installed ") + terminal())) << log().toStdString();
}

TEST_F(MupdaterRun, OnFailureTheOldProgramStaysAndStartsAgain)
{
    struct Case { const char *name; std::function<void()> publish; const char *logged; };
    const QString archive = s_updates->filePath(QStringLiteral("KV_RALD.bz2"));
    const Case cases[] = {
        {"archive missing", [] {}, "Mupdater download failed: HTTP 404"},
        {"no version marker",
         [&] {
             const QString plain = tmp.filePath(QStringLiteral("plain"));
             ASSERT_TRUE(WriteProgram(plain, ProgramBytes(QString(), 100000)));
             ASSERT_TRUE(bz2::CompressFile(plain, archive));
         },
         "Mupdater the archive holds no program with a version marker"},
        {"damaged archive",
         [&] {
             ASSERT_TRUE(Publish(s_updates->folder(), QByteArray(), newProgram));
             QByteArray bytes = ReadAll(archive);
             bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 0x5A);
             ASSERT_TRUE(WriteProgram(archive, bytes, 0644));
         },
         "Mupdater cannot unpack the archive: the archive is damaged"},
    };
    for (const Case &c : cases) {
        s_updates->clear();
        QFile::remove(prog + QStringLiteral("starts.txt"));
        c.publish();
        startMupdater();
        ASSERT_TRUE(mupdater.waitForFinished(60000)) << c.name;
        EXPECT_EQ(mupdater.exitCode(), 1) << c.name;
        ASSERT_TRUE(waitFor([&] { return starts().size() == 1; })) << c.name << ": " << log().toStdString();
        EXPECT_EQ(starts(), QStringList{QStringLiteral("1.0.0.1")}) << c.name;
        EXPECT_EQ(ReadAll(terminal()), oldProgram) << c.name;
        EXPECT_EQ(leftovers(), QStringList()) << c.name;
        EXPECT_TRUE(log().contains(QString::fromLatin1(c.logged))) << c.name << ": " << log().toStdString();
    }
}
