#include "shell/U002_Updater.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "core/MyConfig.h"
#include "core/TCM.h"
#include "core/uKV_Common_Text.h"
#include "platform/os/CodePage.h"
#include "platform/os/ProgramFile.h"
#include "platform/os/Version.h"
#include "shell/ShellTestUtil.h"
#include "support/TestServer.h"
#include "support/UpdateFixtures.h"
#include "ui_U002_Updater.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <sys/stat.h>

namespace {

int modeOf(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

// A program folder with an updater file of version 1.0.0.2 (mode 0750) and a
// test server whose update folder holds an updater of version 1.0.0.3.
class UpdaterWindow : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_updates = new UpdateServer; }
    static void TearDownTestSuite() { delete s_updates; }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        s_updates->clear();
        // Big enough for the download and the unpacking to take many pieces.
        published = ProgramBytes(QStringLiteral("1.0.0.3"), 1 << 20);
        ASSERT_TRUE(Publish(s_updates->folder(), published, ProgramBytes(QStringLiteral("1.2.0.0"))));
        old = ProgramBytes(QStringLiteral("1.0.0.2"), 8192);
        ASSERT_TRUE(WriteProgram(updater(), old, 0750));
        ASSERT_TRUE(WriteProgram(dir.filePath(QStringLiteral("KV_RALD")), ProgramBytes(QStringLiteral("1.2.0.0"))));
        os::SetProgramFilePath(dir.filePath(QStringLiteral("KV_RALD")));
        QDir(dir.path()).mkdir(QStringLiteral("log"));
        LogFileName = dir.filePath(QStringLiteral("log/test.log"));
        saved = MyConfig;
        MyConfig.UPU = s_updates->base();
        MyConfig.UPP = QStringLiteral("MUpdater.exe");
        previousConfirm = TF002_Updater::SetConfirmHandler([this](QWidget *, const QString &question) {
            questions << question;
            return answerYes;
        });
    }

    void TearDown() override
    {
        TF002_Updater::SetConfirmHandler(previousConfirm);
        os::SetProgramFilePath(QString());
        LogFileName.clear();
        MyConfig = saved;
    }

    QString updater() const { return dir.filePath(QStringLiteral("Mupdater")); }
    QString backup() const { return dir.filePath(QStringLiteral("Mupdater.old")); }
    QString archive() const { return dir.filePath(QStringLiteral("MUpdater.bz2")); }
    QString publishedArchive() const { return s_updates->filePath(QStringLiteral("Mupdater.bz2")); }

    QString log() const
    {
        QFile f(LogFileName);
        return f.open(QIODevice::ReadOnly) ? os::FromAnsi(f.readAll()) : QString();
    }

    // Presses the close button of the running window once `when` holds.
    void pressCloseWhen(TF002_Updater &window, std::function<bool()> when)
    {
        auto *poll = new QTimer(&window);
        poll->setInterval(0);
        QObject::connect(poll, &QTimer::timeout, &window, [&window, poll, when] {
            if (!when())
                return;
            poll->stop();
            clickButton(window.form().MirelImgBtn1);
        });
        poll->start();
    }

    static UpdateServer *s_updates;

    QTemporaryDir dir;
    QByteArray published;
    QByteArray old;
    TMyConfig saved;
    TF002_Updater::ConfirmHandler previousConfirm;
    QStringList questions;
    bool answerYes = true;
};

UpdateServer *UpdaterWindow::s_updates = nullptr;

} // namespace

TEST_F(UpdaterWindow, UpdateCheckInstallsTheNewerUpdater)
{
    TCM cm;
    cm.ExeDir = dir.path() + QLatin1Char('/');
    EXPECT_TRUE(cm.CheckUpdate());

    EXPECT_EQ(ReadAll(updater()), published);
    EXPECT_EQ(os::ReadVersionMarker(updater()), QStringLiteral("1.0.0.3"));
    EXPECT_EQ(modeOf(updater()), 0750)
        << "the mode of the file replaced";
    EXPECT_FALSE(QFile::exists(backup()));
    EXPECT_FALSE(QFile::exists(archive()));
    EXPECT_EQ(log(), QString());
}

TEST_F(UpdaterWindow, RunsItsFiveStepsWithBothBars)
{
    QFile::remove(updater()); // none yet: the new file gets mode 0755
    answerYes = false;        // a close pressed and answered no changes nothing
    TF002_Updater window;
    EXPECT_EQ(window.size(), QSize(426, 314));
    EXPECT_EQ(window.UpdaterFile, QStringLiteral("MUpdater"));
    EXPECT_EQ(window.ArchiveFile, QStringLiteral("MUpdater.bz2"));
    pressCloseWhen(window, [&] { return window.form().rbp_Down_State->isVisible(); });
    window.exec();

    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions.first(), QStringLiteral("업데이트가 진행중입니다.\r\n강제로 종료할 경우 프로그램 실행이 불가능할수도 "
                                                "있습니다.\r\n계속하시겠습니까?"));
    const auto &f = window.form();
    for (QLabel *level : {f.img_Level1, f.img_Level2, f.img_Level3, f.img_Level4, f.img_Level5})
        EXPECT_TRUE(level->property("done").toBool()) << level->objectName().toStdString();
    const qint64 archiveSize = QFileInfo(publishedArchive()).size();
    EXPECT_EQ(window.form().rbp_Down_State->maximum(), archiveSize);
    EXPECT_EQ(window.form().rbp_Down_State->value(), archiveSize);
    EXPECT_EQ(window.form().rbp_Bzip_State->maximum(), archiveSize);
    EXPECT_EQ(window.form().rbp_Bzip_State->value(), archiveSize);

    const QString installed = dir.filePath(QStringLiteral("MUpdater"));
    EXPECT_EQ(ReadAll(installed), published);
    EXPECT_EQ(modeOf(installed), 0755);
    EXPECT_FALSE(QFile::exists(archive()));
}

TEST_F(UpdaterWindow, ADamagedArchiveBringsTheOldUpdaterBack)
{
    QByteArray damaged = ReadAll(publishedArchive());
    damaged.truncate(damaged.size() / 2);
    ASSERT_TRUE(WriteProgram(publishedArchive(), damaged, 0644));

    TCM cm;
    cm.ExeDir = dir.path() + QLatin1Char('/');
    EXPECT_TRUE(cm.CheckUpdate()) << "start-up goes on";
    EXPECT_EQ(ReadAll(updater()), old);
    EXPECT_EQ(modeOf(updater()), 0750);
    EXPECT_FALSE(QFile::exists(backup()));
    EXPECT_FALSE(QFile::exists(archive()));
    EXPECT_TRUE(log().contains(QStringLiteral("]  MirelUpdater Decompress Error: the archive is truncated")))
        << log().toStdString();
}

TEST_F(UpdaterWindow, CancelDuringTheUnpackingRestoresTheBackup)
{
    TF002_Updater window;
    pressCloseWhen(window, [&] { return window.form().rbp_Bzip_State->isVisible() && window.form().rbp_Bzip_State->value() > 0; });
    window.exec();

    EXPECT_TRUE(window.Cancelled);
    EXPECT_EQ(questions.size(), 1);
    EXPECT_EQ(ReadAll(updater()), old);
    EXPECT_FALSE(QFile::exists(backup()));
    EXPECT_FALSE(QFile::exists(archive()));
}

TEST_F(UpdaterWindow, CancelDuringTheDownloadLeavesAStaleBackupAlone)
{
    const QByteArray stale = ProgramBytes(QStringLiteral("0.9"), 2048);
    ASSERT_TRUE(WriteProgram(backup(), stale));
    TF002_Updater window;
    pressCloseWhen(window, [&] { return window.form().rbp_Down_State->isVisible(); });
    window.exec();

    EXPECT_TRUE(window.Cancelled);
    EXPECT_EQ(ReadAll(updater()), old);
    EXPECT_EQ(ReadAll(backup()), stale);
    EXPECT_FALSE(QFile::exists(archive()));
    EXPECT_FALSE(window.form().img_Level3->property("done").toBool()) << "no backup step after a cancel";
}

TEST_F(UpdaterWindow, AFailedDownloadLeavesTheUpdaterUntouched)
{
    ASSERT_TRUE(WriteProgram(backup(), ProgramBytes(QStringLiteral("0.9"), 2048)));
    QFile::remove(publishedArchive());
    TF002_Updater window;
    window.exec();

    EXPECT_FALSE(window.Cancelled);
    EXPECT_EQ(ReadAll(updater()), old);
    EXPECT_FALSE(QFile::exists(archive()));
    EXPECT_FALSE(QFile::exists(backup())) << "the clean-up removes any backup";
    EXPECT_TRUE(log().contains(QStringLiteral("]  MirelUpdater Download Error: HTTP 404"))) << log().toStdString();
}
