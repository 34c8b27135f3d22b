#include "shell/U403_Keyboard.h"

#include "ui_U403_Keyboard.h"

#include "Components/MirelComp/MirelBack.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "core/uKV_Common_Text.h"
#include "platform/os/Keys.h"
#include "shell/ModalWindows.h"

#include "MKbd.h"

#include <QApplication>
#include <QDialog>
#include <QInputMethodEvent>
#include <QTextCharFormat>
#include <QWindow>
#include <QtEndian>

TF403_Keyboard *F403_Keyboard = nullptr;

namespace {

struct KeyFace {
    const char16_t *caption;
    int helpContext;
};

// The letter keys by Tag 301..337.
constexpr KeyFace KoreanLayout[TF403_Keyboard::LetterKeyCount] = {
    {u"ㄱ", 82},  {u"ㄴ", 83},  {u"ㄷ", 69},  {u"ㄹ", 70},  {u"ㅁ", 65},     {u"ㅂ", 81},
    {u"ㅏ", 75},  {u"ㅑ", 73},  {u"ㅓ", 74},  {u"ㅕ", 85},  {u"ㅅ", 84},     {u"ㅇ", 68},
    {u"ㅈ", 87},  {u"ㅊ", 67},  {u"ㅋ", 90},  {u"ㅌ", 88},  {u"ㅗ", 72},     {u"ㅛ", 89},
    {u"ㅜ", 78},  {u"ㅠ", 66},  {u"ㅍ", 86},  {u"ㅎ", 71},  {u"ㄲ", 382},    {u"ㄸ", 369},
    {u"ㅃ", 381}, {u"ㅆ", 384}, {u"ㅡ", 77},  {u"ㅣ", 76},  {u"ㅐ", 79},     {u"ㅔ", 80},
    {u"ㅉ", 387}, {u"@", 350},  {u"-", 109},  {u"Space", 32}, {u"영어", 999}, {u"ㅒ", 379},
    {u"ㅖ", 380},
};

// Tags 301..326 are the capitals A..Z (Shift + the letter's key); the
// underscore is Shift + the minus key (189), which types "_".
constexpr KeyFace EnglishTail[] = {
    {u"!", 349}, {u"#", 351}, {u"$", 352},      {u"+", 487},     {u"*", 356}, {u"=", 187},
    {u"_", 489}, {u"Space", 32}, {u"한글", 998}, {u"(", 357}, {u")", 348},
};

constexpr int TagSpace = 334;
constexpr int TagToggle = 335;
constexpr int TagOk = 501;
constexpr int TagCancel = 502;
constexpr int TagEnter = 503;
constexpr int TagClear = 504;
constexpr int TagBackspace = 505;
constexpr int ToKorean = 998;

constexpr int VkBackspace = 8;
constexpr int VkShift = 16;
constexpr int VkEscape = 27;
constexpr int VkSpace = 32;
constexpr int VkF24 = 135;

QString hintOf(const TMirelImgBtn *key)
{
    return key->property("Hint").toString();
}

int helpContextOf(const TMirelImgBtn *key)
{
    return key->property("HelpContext").toInt();
}

bool isLetterKey(const TMirelImgBtn *key)
{
    return key->Tag() >= 301 && key->Tag() <= 337;
}

QObject *focusTarget()
{
    if (QWidget *w = QApplication::focusWidget())
        return w;
    return QGuiApplication::focusObject();
}

} // namespace

TF403_Keyboard::TF403_Keyboard(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                          | Qt::WindowDoesNotAcceptFocus),
      ui(std::make_unique<Ui::TF403_Keyboard>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    KeyboardMode = 0;
    InitKeys();
    ApplyMode();
    connect(qApp, &QGuiApplication::focusObjectChanged, this, &TF403_Keyboard::focusChanged);
    SetKeyboardPlacement(this);
}

TF403_Keyboard::~TF403_Keyboard()
{
    if (isVisible())
        Close();
    SetKeyboardPlacement(nullptr);
    if (F403_Keyboard == this)
        F403_Keyboard = nullptr;
}

void TF403_Keyboard::InitKeys()
{
    bool complete = true;
    for (int k = 1; k <= LetterKeyCount; ++k) {
        m_letterKeys[k - 1] = findChild<TMirelImgBtn *>(QStringLiteral("mib_Key%1").arg(k));
        complete = complete && m_letterKeys[k - 1];
    }
    for (int k = 1; k <= PadKeyCount; ++k) {
        m_padKeys[k - 1] = findChild<TMirelImgBtn *>(QStringLiteral("mib_Num%1").arg(k));
        complete = complete && m_padKeys[k - 1];
    }
    if (!complete)
        WriteLog(QStringLiteral("TF403_Keyboard.InitKeys"));
}

void TF403_Keyboard::ApplyMode()
{
    if (KeyboardMode == 1) {
        setFixedSize(737, 571);
        ui->fb_NumPad->move(440, 0);
        ui->fb_Keyboard->setGeometry(0, 235, 737, height() - 235);
    } else {
        setFixedSize(1024, 236);
        ui->fb_NumPad->move(0, 0);
        ui->fb_Keyboard->setGeometry(0, 0, 1024, height());
    }
}

void TF403_Keyboard::placeKeys()
{
    const QPoint base = KeyboardMode == 1 ? QPoint(446, 240) : QPoint(732, 5);
    for (int k = 1; k <= LetterKeyCount; ++k) {
        TMirelImgBtn *key = m_letterKeys[k - 1];
        if (!key)
            continue;
        if (k <= 33)
            key->move(((k - 1) % 10) * 72 + 10, base.y() + ((k - 1) / 10) * 56);
        else
            key->move(k == 34 ? 228 : 514 + (k - 35) * 72, base.y() + 168);
    }
    for (int k = 1; k <= PadKeyCount; ++k) {
        TMirelImgBtn *key = m_padKeys[k - 1];
        if (!key)
            continue;
        if (k <= 12)
            key->move(base.x() + ((k - 1) % 3) * 72, ((k - 1) / 3) * 56 + 5);
        else
            key->move(base.x() + 217, 5 + (k - 13) * 74);
    }
}

void TF403_Keyboard::labelKeys(bool korean)
{
    m_korean = korean;
    for (int k = 1; k <= LetterKeyCount; ++k) {
        TMirelImgBtn *key = m_letterKeys[k - 1];
        if (!key)
            continue;
        QString caption;
        int code = 0;
        if (korean) {
            caption = QString::fromUtf16(KoreanLayout[k - 1].caption);
            code = KoreanLayout[k - 1].helpContext;
        } else if (k <= 26) {
            caption = QString(QChar('A' + k - 1));
            code = 300 + k + 64;
        } else {
            caption = QString::fromUtf16(EnglishTail[k - 27].caption);
            code = EnglishTail[k - 27].helpContext;
        }
        key->setCaption(caption);
        key->setProperty("HelpContext", code);
    }
}

bool TF403_Keyboard::writeSharedBlock()
{
    // Created on show and kept until the keyboard closes.
    if (!m_block.isOpen() && !m_block.open(QString::fromLatin1(mkbd::SharedBlockName)))
        return false;
    QByteArray bytes(os::SharedBlock::Size, '\0');
    qToLittleEndian<quint32>(quint32(winId()), bytes.data() + mkbd::KeyboardIdOffset);
    qToLittleEndian<quint32>(quint32(TargetForm->winId()), bytes.data() + mkbd::TargetIdOffset);
    return m_block.write(bytes);
}

void TF403_Keyboard::Show()
{
    show();
}

void TF403_Keyboard::Show(QWidget *target, quint8 mode, const QPoint &topLeft)
{
    TargetForm = target;
    KeyboardMode = mode;
    ApplyMode();
    move(topLeft);
    Show();
}

void TF403_Keyboard::Close()
{
    close();
}

void TF403_Keyboard::setVisible(bool visible)
{
    if (visible && isVisible()) {
        // Shown again while up (a new target, mode or place): the layout
        // stays, the keys, the window size and the block follow.
        if (TargetForm) {
            ApplyMode();
            placeKeys();
            writeSharedBlock();
        }
        return;
    }
    if (!visible && !isVisible()) {
        QWidget::setVisible(false);
        return;
    }
    if (visible) {
        if (!TargetForm)
            return; // nothing to type into: no hook, no block, no window
        ApplyMode();
        placeKeys();
        releaseAllKeys();
        AttachToTopModal(this); // also creates the native window
        writeSharedBlock();
        labelKeys(true);
        QWidget::setVisible(true);
        raise();
        if (QWindow *handle = windowHandle())
            handle->installEventFilter(this);
        StartHook();
        m_hookRunning = true;
        return;
    }

    commitComposition();
    if (m_hookRunning) {
        StopHook();
        m_hookRunning = false;
    }
    m_block.close();
    TargetForm = nullptr;
    releaseAllKeys();
    QWidget::setVisible(false);
}

bool TF403_Keyboard::isShowing() const
{
    return isVisible();
}

int TF403_Keyboard::top() const
{
    return geometry().top();
}

bool TF403_Keyboard::event(QEvent *event)
{
    if (event->type() == QEvent::Type(mkbd::WM_HOOKMOUSE)) {
        const auto *hook = static_cast<mkbd::HookMouseEvent *>(event);
        hookMouse(hook->wParam, hook->lParam);
        return true;
    }
    return QWidget::event(event);
}

void TF403_Keyboard::changeEvent(QEvent *event)
{
    // A window system that activates every window it shows (ignoring the
    // no-focus hint) gets the activation handed straight back, so the
    // target keeps the keyboard focus.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && TargetForm
        && TargetForm->isVisible())
        TargetForm->activateWindow();
    QWidget::changeEvent(event);
}

bool TF403_Keyboard::eventFilter(QObject *watched, QEvent *event)
{
    // The hook posts to the native window; its messages are the keyboard's.
    if (watched == windowHandle() && event->type() == QEvent::Type(mkbd::WM_HOOKMOUSE)) {
        const auto *hook = static_cast<mkbd::HookMouseEvent *>(event);
        hookMouse(hook->wParam, hook->lParam);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

TMirelImgBtn *TF403_Keyboard::keyAt(const QPoint &screenPoint) const
{
    auto contains = [&](const TMirelImgBtn *key) {
        return key && key->isVisible()
               && QRect(key->mapToGlobal(QPoint(0, 0)), key->size()).contains(screenPoint);
    };
    for (TMirelImgBtn *key : m_letterKeys) {
        if (contains(key))
            return key;
    }
    for (TMirelImgBtn *key : m_padKeys) {
        if (contains(key))
            return key;
    }
    return nullptr;
}

void TF403_Keyboard::releaseAllKeys()
{
    m_pressedKey = nullptr;
    for (TMirelImgBtn *key : m_letterKeys) {
        if (key && key->Down())
            key->setDown(false);
    }
    for (TMirelImgBtn *key : m_padKeys) {
        if (key && key->Down())
            key->setDown(false);
    }
}

void TF403_Keyboard::hookMouse(quint32 wParam, qint32 lParam)
{
    TMirelImgBtn *key = keyAt(mkbd::lParamToPoint(lParam));
    if (!key) {
        releaseAllKeys();
        return;
    }
    if (wParam == quint32(mkbd::WM_LBUTTONDOWN) || wParam == quint32(mkbd::WM_RBUTTONDOWN)) {
        if (m_pressedKey && m_pressedKey != key)
            m_pressedKey->setDown(false);
        key->setDown(true);
        m_pressedKey = key;
        return;
    }
    if (key == m_pressedKey) {
        m_pressedKey = nullptr;
        QPointer<TMirelImgBtn> performed(key);
        performKey(key);
        if (performed)
            performed->setDown(false);
        return;
    }
    // Released over another key than the one pressed: nothing is typed.
    if (m_pressedKey)
        m_pressedKey->setDown(false);
    m_pressedKey = nullptr;
}

void TF403_Keyboard::performKey(TMirelImgBtn *key)
{
    const QString hint = hintOf(key);
    const int code = helpContextOf(key);
    const int tag = key->Tag();

    if (hint == QLatin1String("0")) {
        if (m_korean && isLetterKey(key)) {
            const QChar jamo = HangulComposer::jamoForKey(code);
            if (!jamo.isNull()) {
                composeJamo(jamo);
                return;
            }
        }
        commitComposition();
        sendVirtualKey(code);
        return;
    }
    if (hint == QLatin1String("1")) {
        switch (tag) {
        case TagSpace:
            commitComposition();
            os::KeyPress(VkSpace);
            break;
        case TagToggle:
            // No system input method listens for the toggle key here: the
            // keyboard composes Hangul itself while the Korean layout shows.
            commitComposition();
            labelKeys(code == ToKorean);
            break;
        case TagBackspace:
            composeBackspace();
            break;
        default:
            break;
        }
        return;
    }
    if (hint == QLatin1String("2")) {
        commitComposition();
        switch (tag) {
        case TagOk:
            endTargetModal(1);
            break;
        case TagCancel:
            endTargetModal(2);
            break;
        case TagEnter:
            os::KeyPress(VkF24);
            break;
        case TagClear:
            os::KeyPress(VkEscape);
            break;
        default:
            break;
        }
    }
}

void TF403_Keyboard::sendVirtualKey(int code)
{
    if (code > 300) {
        os::KeyDown(VkShift);
        os::KeyPress(code - 300);
        os::KeyUp(VkShift);
    } else {
        os::KeyPress(code);
    }
}

void TF403_Keyboard::endTargetModal(int result)
{
    if (auto *dialog = qobject_cast<QDialog *>(TargetForm.data()))
        dialog->done(result);
}

void TF403_Keyboard::composeJamo(QChar jamo)
{
    const HangulComposer::Output out = m_composer.input(jamo);
    sendInputMethod(out.commit, out.preedit);
}

void TF403_Keyboard::composeBackspace()
{
    if (m_composer.backspace())
        sendInputMethod({}, m_composer.preedit());
    else
        os::KeyPress(VkBackspace);
}

void TF403_Keyboard::commitComposition()
{
    if (m_composer.isComposing())
        sendInputMethod(m_composer.commit(), {});
}

void TF403_Keyboard::sendInputMethod(const QString &commit, const QString &preedit)
{
    QObject *target = m_imeTarget ? m_imeTarget.data() : focusTarget();
    if (!target)
        return;
    QList<QInputMethodEvent::Attribute> attributes;
    if (!preedit.isEmpty()) {
        QTextCharFormat underline;
        underline.setFontUnderline(true);
        attributes << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, 0,
                                                   int(preedit.size()), underline)
                   << QInputMethodEvent::Attribute(QInputMethodEvent::Cursor,
                                                   int(preedit.size()), 1, QVariant());
    }
    QInputMethodEvent event(preedit, attributes);
    event.setCommitString(commit);
    QCoreApplication::sendEvent(target, &event);
    m_imeTarget = preedit.isEmpty() ? nullptr : target;
}

void TF403_Keyboard::focusChanged(QObject *focusObject)
{
    // The syllable being composed belongs to the widget that shows it: it is
    // typed there for good before the focus moves on.
    if (m_imeTarget && m_imeTarget != focusObject)
        commitComposition();
}
