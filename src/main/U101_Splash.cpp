#include "U101_Splash.h"

#include "Components/MirelComp/MirelPicture.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QWindow>

TF101_Splash::TF101_Splash(QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("F101_Splash"));
    setFixedSize(425, 313);
    setWindowOpacity(210.0 / 255.0);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 425, 313);
    Image1->setScaledContents(true);
    QPixmap picture;
    if (mirel::loadPicture(QStringLiteral("splash.png"), picture))
        Image1->setPixmap(picture);
    Image1->installEventFilter(this);

    lbStatus = new QLabel(QString::fromUtf8("현재 진행 상태 표기"), this);
    lbStatus->setObjectName(QStringLiteral("lbStatus"));
    lbStatus->setGeometry(208, 137, 193, 21);
    lbStatus->setAlignment(Qt::AlignCenter);
    lbStatus->setWordWrap(true);

    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setGeometry(208, 158, 193, 18);
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    ProgressBar->setStyleSheet(QStringLiteral(
        "QProgressBar { border: 1px solid #7a8aa0; background: #f4f4f4; }"
        "QProgressBar::chunk { background: qlineargradient(x1:0, y1:0, x2:1, y2:0,"
        " stop:0 #2f6fb8, stop:1 #8ec3f0); }"));

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TF101_Splash::SetStatus(const QString &text, int percent)
{
    ProgressBar->setValue(percent);
    lbStatus->setText(text);
    repaint();
    QApplication::processEvents();
}

bool TF101_Splash::eventFilter(QObject *watched, QEvent *event)
{
    // The borderless window's caption drag: pressing on the picture moves it.
    if (watched == Image1 && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && windowHandle()) {
        windowHandle()->startSystemMove();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
