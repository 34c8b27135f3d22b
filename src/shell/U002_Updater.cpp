#include "shell/U002_Updater.h"
#include "ui_U002_Updater.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "core/MyConfig.h"
#include "core/TCM.h"
#include "core/uKV_Common_Text.h"
#include "platform/archive/Bzip2.h"
#include "platform/http/HttpClient.h"
#include "platform/os/Process.h"
#include "platform/os/ProgramFile.h"
#include "shell/ModalWindows.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLinearGradient>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QTimer>

namespace {

TF002_Updater::ConfirmHandler confirmHandler;

constexpr int writeBlock = 1024;

// The window's background: a soft vertical gradient with a title band.
QPixmap backgroundPicture(const QSize &size)
{
    QPixmap picture(size);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, 0, size.height());
    body.setColorAt(0, QColor(252, 250, 246));
    body.setColorAt(1, QColor(228, 222, 210));
    p.fillRect(picture.rect(), body);
    QLinearGradient band(0, 0, 0, 44);
    band.setColorAt(0, QColor(255, 170, 80));
    band.setColorAt(1, QColor(226, 112, 20));
    p.fillRect(QRect(0, 0, size.width(), 44), band);
    p.setPen(QPen(QColor(150, 130, 100), 3));
    p.drawRect(picture.rect().adjusted(1, 1, -2, -2));
    QFont font(QStringLiteral("굴림"));
    font.setPixelSize(17);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(16, 0, size.width() - 70, 44), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("프로그램 업데이트"));
    return picture;
}

// A step's mark: an orange dot with an arrow while it runs, a green dot with
// a tick when it is done.
QPixmap stepPicture(bool done)
{
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(done ? QColor(72, 160, 64) : QColor(240, 128, 24));
    p.drawEllipse(QRectF(2, 2, 20, 20));
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath mark;
    if (done) {
        mark.moveTo(7, 12.5);
        mark.lineTo(10.5, 16);
        mark.lineTo(17, 8.5);
    } else {
        mark.moveTo(10, 7.5);
        mark.lineTo(15, 12);
        mark.lineTo(10, 16.5);
    }
    p.drawPath(mark);
    return picture;
}

const char *gradientBar =
    "QProgressBar { border: 1px solid rgb(150, 130, 100); border-radius: 3px; background: white; }"
    "QProgressBar::chunk { background: qlineargradient(x1:0, y1:0, x2:1, y2:0,"
    " stop:0 rgb(255, 196, 120), stop:1 rgb(226, 112, 20)); }";

} // namespace

const QString TF002_Updater::CancelQuestion = QStringLiteral(
    "업데이트가 진행중입니다.\r\n강제로 종료할 경우 프로그램 실행이 불가능할수도 있습니다.\r\n계속하시겠습니까?");

TF002_Updater::ConfirmHandler TF002_Updater::SetConfirmHandler(ConfirmHandler handler)
{
    ConfirmHandler previous = std::move(confirmHandler);
    confirmHandler = std::move(handler);
    return previous;
}

void TF002_Updater::Install()
{
    SetUpdaterWindowHandler([] {
        auto window = std::make_unique<TF002_Updater>();
        window->exec();
    });
}

TF002_Updater::TF002_Updater(QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TF002_Updater>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(426, 314);
    CenterOnOwner(this);

    ui->img_Back->setPixmap(backgroundPicture(size()));
    ui->img_Back->installEventFilter(this);
    ui->img_Start->setPixmap(stepPicture(false));
    ui->img_End->setPixmap(stepPicture(true));
    for (QProgressBar *bar : {ui->rbp_Down_State, ui->rbp_Bzip_State})
        bar->setStyleSheet(QString::fromLatin1(gradientBar));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &TF002_Updater::Timer1Timer);
    connect(ui->MirelImgBtn1, &TMirelImgBtn::OnClick, this, &TF002_Updater::MirelImgBtn1Click);

    const QString dir = CM && !CM->ExeDir.isEmpty() ? CM->ExeDir : os::ProgramDir() + QLatin1Char('/');
    Folder = dir;
    UpdaterFile = UpdaterFileName(dir, MyConfig.UPP);
    ArchiveFile = ChangeFileExt(MyConfig.UPP, QStringLiteral(".bz2"));
    BaseUrl = MyConfig.UPU;
    Cancelled = false;
}

TF002_Updater::~TF002_Updater() = default;

void TF002_Updater::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    for (QProgressBar *bar : {ui->rbp_Down_State, ui->rbp_Bzip_State}) {
        bar->setValue(0);
        bar->hide();
    }
    Timer1->start();
}

void TF002_Updater::setLevel(int step, bool done)
{
    QLabel *const levels[] = {ui->img_Level1, ui->img_Level2, ui->img_Level3, ui->img_Level4, ui->img_Level5};
    QLabel *level = levels[step - 1];
    level->setPixmap(done ? ui->img_End->pixmap() : ui->img_Start->pixmap());
    level->setProperty("done", done);
}

QString TF002_Updater::backupPath() const
{
    return Folder + ChangeFileExt(UpdaterFile, QStringLiteral(".old"));
}

bool TF002_Updater::DownloadArchive()
{
    setLevel(1, true);
    setLevel(2, false);
    ui->rbp_Down_State->show();
    bool sized = false;
    const http::GetResult answer =
        http::Get(BaseUrl + ArchiveFile, [this, &sized](qint64 received, qint64 total) {
            if (!sized && total > 0) {
                ui->rbp_Down_State->setMaximum(int(qMin<qint64>(total, INT_MAX)));
                sized = true;
            }
            ui->rbp_Down_State->setValue(int(qMin<qint64>(received, ui->rbp_Down_State->maximum())));
            QCoreApplication::processEvents();
            return !Cancelled;
        });
    bool ok = answer.ok;
    if (!ok && !answer.cancelled)
        WriteLog(QStringLiteral("MirelUpdater Download Error: ") + answer.error);
    if (ok) {
        QFile file(Folder + ArchiveFile);
        ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        for (qsizetype at = 0; ok && at < answer.body.size(); at += writeBlock) {
            QCoreApplication::processEvents();
            if (Cancelled) {
                ok = false;
                break;
            }
            const qsizetype length = qMin<qsizetype>(writeBlock, answer.body.size() - at);
            ok = file.write(answer.body.constData() + at, length) == length;
        }
        ok = file.flush() && ok;
        if (!ok && !Cancelled)
            WriteLog(QStringLiteral("MirelUpdater Download Error: ") + file.errorString());
    }
    setLevel(2, true);
    return ok;
}

bool TF002_Updater::BackupUpdater()
{
    setLevel(3, false);
    bool ok = true;
    const QString current = Folder + UpdaterFile;
    const QFileInfo info(current);
    m_hadUpdater = info.exists();
    m_updaterMode = m_hadUpdater ? info.permissions() : os::NewProgramPermissions;
    if (m_hadUpdater) {
        const QString backup = backupPath();
        if (QFile::exists(backup))
            QFile::remove(backup);
        ok = QFile::rename(current, backup);
        m_backupMade = ok;
        if (!ok)
            WriteLog(QStringLiteral("MirelUpdater Backup Error: ") + current);
    }
    setLevel(3, true);
    return ok;
}

TF002_Updater::Unpacked TF002_Updater::DecompressArchive()
{
    ui->rbp_Bzip_State->show();
    setLevel(4, false);
    const QString target = Folder + UpdaterFile;
    const QString archive = Folder + ArchiveFile;
    ui->rbp_Bzip_State->setMaximum(int(qMin<qint64>(qMax<qint64>(QFileInfo(archive).size(), 1), INT_MAX)));
    m_unpackStarted = true;
    bz2::Hooks hooks;
    hooks.beforeRead = [this] {
        QCoreApplication::processEvents();
        return !Cancelled;
    };
    hooks.afterPiece = [this](qint64 position, qint64) {
        ui->rbp_Bzip_State->setValue(int(qMin<qint64>(position, ui->rbp_Bzip_State->maximum())));
    };
    QString error;
    const bz2::Outcome outcome = bz2::DecompressFile(archive, target, hooks, &error);
    if (outcome == bz2::Outcome::Failed) {
        WriteLog(QStringLiteral("MirelUpdater Decompress Error: ") + error);
        return Unpacked::Failed;
    }
    if (outcome == bz2::Outcome::Stopped)
        return Unpacked::Stopped;
    QFile::setPermissions(target, m_updaterMode);
    m_unpacked = true;
    setLevel(4, true);
    setLevel(5, false);
    return Unpacked::Done;
}

void TF002_Updater::CleanUp()
{
    removeArchive();
    if (QFile::exists(backupPath()))
        QFile::remove(backupPath());
    setLevel(5, true);
}

void TF002_Updater::removeArchive()
{
    if (QFile::exists(Folder + ArchiveFile))
        QFile::remove(Folder + ArchiveFile);
}

void TF002_Updater::restoreUpdater()
{
    const QString current = Folder + UpdaterFile;
    if (m_backupMade && QFile::exists(backupPath())) {
        QFile::remove(current);
        QFile::rename(backupPath(), current);
    } else if (m_unpackStarted && !m_hadUpdater) {
        // Nothing to go back to: at least no half-unpacked program stays.
        QFile::remove(current);
    }
    m_backupMade = false;
}

void TF002_Updater::Timer1Timer()
{
    Timer1->stop();
    setLevel(1, false);
    const bool downloaded = DownloadArchive();
    if (!Cancelled) {
        const bool backedUp = downloaded && BackupUpdater();
        if (!Cancelled) {
            const Unpacked unpacked = downloaded && backedUp ? DecompressArchive() : Unpacked::Done;
            if (!Cancelled) {
                if (unpacked == Unpacked::Failed) {
                    // A damaged archive: the previous updater comes back,
                    // never a truncated one.
                    restoreUpdater();
                    removeArchive();
                } else {
                    CleanUp();
                }
            }
        }
    }
    m_finished = true;
    accept();
}

void TF002_Updater::MirelImgBtn1Click()
{
    const ConfirmHandler ask = confirmHandler ? confirmHandler : [](QWidget *parent, const QString &question) {
        return QMessageBox::question(parent, QString(), question, QMessageBox::Yes | QMessageBox::No)
               == QMessageBox::Yes;
    };
    if (ask(this, CancelQuestion))
        Cancelled = true;
}

void TF002_Updater::reject()
{
    // Escape or a close request of the window system: the stages decide when
    // the window closes; the close button cancels them.
}

void TF002_Updater::done(int result)
{
    if (!m_finished)
        return;
    if (Cancelled) {
        restoreUpdater();
        removeArchive();
    }
    QDialog::done(result);
}

bool TF002_Updater::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->img_Back) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            m_dragOffset = mouse->globalPosition().toPoint() - frameGeometry().topLeft();
            return true;
        }
        if (event->type() == QEvent::MouseMove) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->buttons() & Qt::LeftButton)
                move(mouse->globalPosition().toPoint() - m_dragOffset);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
