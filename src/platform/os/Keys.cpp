#include "platform/os/Keys.h"

#include <QApplication>
#include <QWidget>

#include <atomic>

namespace os {

namespace {

std::atomic<int> held{0};

struct Punct { int vk; int key; char plain; char shifted; };

// US layout punctuation keys (OEM codes) and the keypad operators.
constexpr Punct punctKeys[] = {
    {186, Qt::Key_Semicolon, ';', ':'}, {187, Qt::Key_Equal, '=', '+'},
    {188, Qt::Key_Comma, ',', '<'},     {189, Qt::Key_Minus, '-', '_'},
    {190, Qt::Key_Period, '.', '>'},    {191, Qt::Key_Slash, '/', '?'},
    {192, Qt::Key_QuoteLeft, '`', '~'}, {219, Qt::Key_BracketLeft, '[', '{'},
    {220, Qt::Key_Backslash, '\\', '|'}, {221, Qt::Key_BracketRight, ']', '}'},
    {222, Qt::Key_Apostrophe, '\'', '"'},
    {106, Qt::Key_Asterisk, '*', '*'},  {107, Qt::Key_Plus, '+', '+'},
    {109, Qt::Key_Minus, '-', '-'},     {110, Qt::Key_Period, '.', '.'},
    {111, Qt::Key_Slash, '/', '/'},
};

// Shifted digits of the US layout, for 48-57.
constexpr char shiftedDigits[] = ")!@#$%^&*(";

Qt::KeyboardModifier modifierOf(int vk)
{
    switch (vk) {
    case 16: return Qt::ShiftModifier;
    case 17: return Qt::ControlModifier;
    case 18: return Qt::AltModifier;
    default: return Qt::NoModifier;
    }
}

// Typed text only for plain or shifted strokes; Control or Alt make a
// shortcut, which carries no text.
QString textFor(Qt::KeyboardModifiers m, QChar c)
{
    if (m & (Qt::ControlModifier | Qt::AltModifier))
        return {};
    return QString(c);
}

void send(QEvent::Type type, int vk)
{
    const int code = vk & 0xFF;
    const Qt::KeyboardModifier own = modifierOf(code);
    if (own != Qt::NoModifier) {
        if (type == QEvent::KeyPress)
            held.fetch_or(int(own));
        else
            held.fetch_and(~int(own));
    }
    const Qt::KeyboardModifiers mods = HeldModifiers();
    const MappedKey mapped = MapVirtualKey(code, mods);
    if (mapped.key == 0)
        return;
    QObject *target = QApplication::focusWidget();
    if (!target)
        target = QGuiApplication::focusObject();
    if (!target)
        return;
    QKeyEvent event(type, mapped.key, mods, mapped.text);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace

MappedKey MapVirtualKey(int vk, Qt::KeyboardModifiers m)
{
    vk &= 0xFF;
    const bool shift = m & Qt::ShiftModifier;
    if (vk >= 48 && vk <= 57) {
        const QChar c = shift ? QChar(shiftedDigits[vk - 48]) : QChar(vk);
        return {Qt::Key_0 + (vk - 48), textFor(m, c)};
    }
    if (vk >= 65 && vk <= 90) {
        const QChar c = shift ? QChar(vk) : QChar(vk + 32);
        return {Qt::Key_A + (vk - 65), textFor(m, c)};
    }
    if (vk >= 96 && vk <= 105)
        return {Qt::Key_0 + (vk - 96), textFor(m, QChar('0' + (vk - 96)))};
    for (const Punct &p : punctKeys) {
        if (p.vk == vk)
            return {p.key, textFor(m, QChar(shift ? p.shifted : p.plain))};
    }
    switch (vk) {
    case 8: return {Qt::Key_Backspace, {}};
    case 9: return {shift ? Qt::Key_Backtab : Qt::Key_Tab, {}};
    case 13: return {Qt::Key_Return, {}};
    case 27: return {Qt::Key_Escape, {}};
    case 32: return {Qt::Key_Space, textFor(m, QChar(' '))};
    case 16: return {Qt::Key_Shift, {}};
    case 17: return {Qt::Key_Control, {}};
    case 18: return {Qt::Key_Alt, {}};
    case 33: return {Qt::Key_PageUp, {}};
    case 34: return {Qt::Key_PageDown, {}};
    case 35: return {Qt::Key_End, {}};
    case 36: return {Qt::Key_Home, {}};
    case 37: return {Qt::Key_Left, {}};
    case 38: return {Qt::Key_Up, {}};
    case 39: return {Qt::Key_Right, {}};
    case 40: return {Qt::Key_Down, {}};
    case 45: return {Qt::Key_Insert, {}};
    case 46: return {Qt::Key_Delete, {}};
    case 135: return {Qt::Key_F24, {}};
    default: return {};
    }
}

void KeyDown(int vk)
{
    send(QEvent::KeyPress, vk);
}

void KeyUp(int vk)
{
    send(QEvent::KeyRelease, vk);
}

void KeyPress(int vk)
{
    KeyDown(vk);
    KeyUp(vk);
}

Qt::KeyboardModifiers HeldModifiers()
{
    return Qt::KeyboardModifiers(held.load());
}

void ResetHeldModifiers()
{
    held.store(0);
}

} // namespace os
