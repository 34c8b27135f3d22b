#pragma once
// The updater window: installs a newer updater program in five steps (version
// known, download of its bzip2 archive, backup of the current file,
// unpacking, clean-up), with a bar for the download and one for the
// unpacking. The start-up's update check creates it, shows it modally and
// frees it. Its close button cancels after a confirmation; a cancelled or
// failed installation leaves the updater program as it was.

#include <QDialog>
#include <QFileDevice>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

class QTimer;

namespace Ui {
class TF002_Updater;
}

class TF002_Updater : public QDialog {
    Q_OBJECT

public:
    explicit TF002_Updater(QWidget *parent = nullptr);
    ~TF002_Updater() override;

    // The generated form: every control under its component name.
    Ui::TF002_Updater &form() const { return *ui; }

    // Asks the close button's question with yes and no; true for yes. The
    // platform's question box by default; tests answer through their own.
    using ConfirmHandler = std::function<bool(QWidget *parent, const QString &question)>;
    static ConfirmHandler SetConfirmHandler(ConfirmHandler handler);

    // Makes the update check show this window (called by the application
    // object, so that the core can show it without knowing the shell).
    static void Install();

    QString BaseUrl;     // the update base address (MyConfig.UPU)
    QString Folder;      // the program folder, with a trailing "/"
    QString UpdaterFile; // the updater program's file name in Folder
    QString ArchiveFile; // its archive's name on the server and in Folder
    bool Cancelled = false;

    // The stages the timer runs, in this order; each says whether it
    // succeeded. Public so a benchmark can time them on their own.
    bool DownloadArchive();
    bool BackupUpdater();
    enum class Unpacked { Done, Stopped, Failed };
    Unpacked DecompressArchive();
    void CleanUp();

    // The timer (its object name alike).
    QTimer *Timer1 = nullptr;

    // The one text of the close button's question.
    static const QString CancelQuestion;

public slots:
    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Timer1Timer();
    void MirelImgBtn1Click();
    void setLevel(int step, bool done);
    // Puts the updater file back as it was before this run: removes what
    // this run unpacked and renames this run's backup back.
    void restoreUpdater();
    void removeArchive();
    QString backupPath() const;

    std::unique_ptr<Ui::TF002_Updater> ui;
    bool m_finished = false;    // the stages are over: the window may close
    bool m_backupMade = false;  // this run renamed the updater to its backup
    bool m_unpackStarted = false;
    bool m_unpacked = false;
    bool m_hadUpdater = false;
    QFileDevice::Permissions m_updaterMode; // of the file replaced
    QPoint m_dragOffset;
};
