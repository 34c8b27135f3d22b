#include "shell/U401_Dialog.h"
#include "ui_U401_Dialog.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "platform/os/Clock.h"
#include "shell/ModalWindows.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>

TF401_Dialog *F401_Dialog = nullptr;

namespace {

const KeyboardPlacement *keyboardPlacement = nullptr;

// The message window stands this far above the keyboard's top edge.
constexpr int AboveKeyboard = 231;

enum ButtonTag { TagOK = 301, TagYes = 302, TagNo = 303 };

// One button of a kind's layout: hidden, or shown at left with caption.
struct ButtonPlace {
    bool shown;
    int left;
    const char *caption;
};

struct KindLayout {
    ButtonPlace yes, ok, no;
};

constexpr ButtonPlace Hidden{false, 0, ""};

KindLayout layoutFor(int kind)
{
    switch (kind) {
    case mkOk:
    case mkNotice:
        return {Hidden, {true, 151, "   확인"}, Hidden};
    case mkOkCancel:
        return {{true, 115, "   확인"}, Hidden, {true, 251, "   취소"}};
    case mkApprove:
        return {{true, 115, "   승인"}, Hidden, {true, 251, "   거절"}};
    case mkOrderKind:
        return {{true, 22, "  거래처별발주"}, {true, 280, "  취  소  "}, {true, 151, "  패턴별발주"}};
    case mkDiscount:
        // The OK button goes in the middle of the gap between the other two.
        return {{true, 51, "   함께적용"}, {true, 179, "   쿠폰적용"}, {true, 307, "   할인적용"}};
    default:
        return {Hidden, {true, 179, "   확인"}, Hidden};
    }
}

void applyPlace(TMirelImgBtn *button, const ButtonPlace &place)
{
    button->setVisible(place.shown);
    if (!place.shown)
        return;
    button->move(place.left, button->y());
    button->setCaption(QString::fromUtf8(place.caption));
}

} // namespace

void SetKeyboardPlacement(const KeyboardPlacement *placement)
{
    keyboardPlacement = placement;
}

const KeyboardPlacement *CurrentKeyboardPlacement()
{
    return keyboardPlacement;
}

TF401_Dialog::TF401_Dialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      ui(std::make_unique<Ui::TF401_Dialog>())
{
    ui->setupUi(this);
    setFixedSize(426, 274);


    tmr_Stay = new QTimer(this);
    tmr_Stay->setObjectName("tmr_Stay");
    tmr_Stay->setInterval(100);
    connect(tmr_Stay, &QTimer::timeout, this, &TF401_Dialog::tmr_StayTimer);

    const int iconSize = ui->img_Icon->width();
    ui->img_Icon->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(iconSize, iconSize));
    ui->img_Title->installEventFilter(this);

    for (TMirelImgBtn *button : {ui->btn_Yes, ui->btn_OK, ui->btn_No})
        connect(button, &TMirelImgBtn::OnClick, this, &TF401_Dialog::btn_Click);

    m_previousHandler = SetMessageBoxHandler(
        [this](const QString &text, int kind, int stayMs) { return ShowMessageBox(text, kind, stayMs); });
}

TF401_Dialog::~TF401_Dialog()
{
    SetMessageBoxHandler(m_previousHandler);
    if (F401_Dialog == this)
        F401_Dialog = nullptr;
}

int TF401_Dialog::ShowMessageBox(const QString &text, int kind, int stayMs)
{
    MessageQueue.append(text);
    StayQueue.append(QString::number(stayMs));
    if (isVisible())
        return mrNone; // the text waits for the one on screen

    IsModal = (kind != mkNotice);
    layoutButtons(kind);

    int result = mrNone;
    // Over a modal screen the window needs that screen as its transient
    // parent, or Qt would block the notice's OK button.
    AttachToTopModal(this);
    if (IsModal) {
        setAttribute(Qt::WA_ShowWithoutActivating, false);
        result = exec();
    } else {
        // A notice must not take the focus from the screen being typed in.
        setAttribute(Qt::WA_ShowWithoutActivating, true);
        show();
    }
    QCoreApplication::processEvents();
    return result;
}

void TF401_Dialog::reject()
{
    tmr_Stay->stop();
    clearQueue();
    QDialog::reject();
}

void TF401_Dialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return; // the window system uncovering it is no new show
    showNextMessage();
    if (CurrentStay > 0)
        tmr_Stay->start();
    placeWindow();
}

void TF401_Dialog::showNextMessage()
{
    ShownAt = os::Now();
    ui->lb_Message->setText(MessageQueue.isEmpty() ? QString() : MessageQueue.takeFirst());
    CurrentStay = StayQueue.isEmpty() ? 0 : StayQueue.takeFirst().toInt(); // 0 when not a number
}

void TF401_Dialog::clearQueue()
{
    MessageQueue.clear();
    StayQueue.clear();
}

void TF401_Dialog::tmr_StayTimer()
{
    tmr_Stay->stop();
    if (CurrentStay >= ShownAt.msecsTo(os::Now())) {
        tmr_Stay->start();
        return;
    }
    if (MessageQueue.isEmpty()) {
        close();
        return;
    }
    showNextMessage();
    QCoreApplication::processEvents();
    // A text without a stay time stays until OK is pressed.
    if (CurrentStay > 0)
        tmr_Stay->start();
}

void TF401_Dialog::btn_Click(QWidget *Sender)
{
    tmr_Stay->stop();
    const auto *button = qobject_cast<TMirelImgBtn *>(Sender);
    if (!button)
        return;
    switch (button->Tag()) {
    case TagOK:
        if (IsModal) {
            clearQueue();
            done(mrOk);
        } else if (MessageQueue.isEmpty()) {
            close();
        } else {
            showNextMessage();
            if (CurrentStay > 0)
                tmr_Stay->start();
        }
        break;
    case TagYes:
        clearQueue();
        done(mrYes);
        break;
    case TagNo:
        clearQueue();
        done(mrNo);
        break;
    default:
        break;
    }
    QCoreApplication::processEvents();
}

void TF401_Dialog::layoutButtons(int kind)
{
    const KindLayout layout = layoutFor(kind);
    applyPlace(ui->btn_Yes, layout.yes);
    applyPlace(ui->btn_OK, layout.ok);
    applyPlace(ui->btn_No, layout.no);
}

void TF401_Dialog::placeWindow()
{
    QScreen *scr = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect area = scr ? scr->geometry() : QRect(0, 0, 1024, 768);
    // The keyboard's top is a screen position already; the middle is
    // measured within the screen.
    const int top = (keyboardPlacement && keyboardPlacement->isShowing())
                        ? keyboardPlacement->top() - AboveKeyboard
                        : area.top() + area.height() / 2 - 150;
    move(area.left() + area.width() / 2 - 240, top);
}

bool TF401_Dialog::eventFilter(QObject *watched, QEvent *event)
{
    // Pressing on the title bar drags the borderless window.
    if (watched == ui->img_Title) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto *me = static_cast<QMouseEvent *>(event);
            if (me->button() == Qt::LeftButton) {
                m_dragging = true;
                m_dragOffset = me->globalPosition().toPoint() - pos();
                return true;
            }
            break;
        }
        case QEvent::MouseMove:
            if (m_dragging) {
                move(static_cast<QMouseEvent *>(event)->globalPosition().toPoint() - m_dragOffset);
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            m_dragging = false;
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
