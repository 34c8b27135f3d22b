#pragma once
// Synthetic key strokes for the on-screen key pads. A key goes as a Qt key
// event to the widget that has the keyboard focus in this program; held
// Shift and Control are tracked here. Nothing touches the system-wide key
// state.
//
// Virtual-key codes: 48-57 digits, 65-90 letters, 96-105 keypad digits,
// 110/190 decimal point, 8 backspace, 9 tab, 13 enter, 27 escape, 32 space,
// 16 shift, 17 control, 18 alt, 33-40 page/end/home/arrows, 45 insert,
// 46 delete, 106-111 keypad operators, 135 F24 (the on-screen keyboard's
// ENTER), 186-192 and 219-222 punctuation.
// Other codes are ignored.

#include <QKeyEvent>
#include <Qt>

namespace os {

// One key-down of virtual key vk (an 8-bit code).
void KeyDown(int vk);
// The matching key-up.
void KeyUp(int vk);
// KeyDown then KeyUp.
void KeyPress(int vk);

// The modifiers currently held through KeyDown (Shift, Control, Alt).
Qt::KeyboardModifiers HeldModifiers();
// Releases every held modifier without sending events.
void ResetHeldModifiers();

// The Qt key and the typed text of vk under the given modifiers; key 0 when
// vk is not mapped.
struct MappedKey
{
    int key = 0;
    QString text;
};
MappedKey MapVirtualKey(int vk, Qt::KeyboardModifiers modifiers);

} // namespace os

using os::KeyDown;
using os::KeyPress;
using os::KeyUp;
