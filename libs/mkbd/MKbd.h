#pragma once
// The keyboard-hook library of the on-screen keyboard.
//
// Between StartHook and StopHook every left or right mouse press and release
// over the keyboard window is taken away from that window and posted to it
// instead as a HookMouseEvent (event type WM_HOOKMOUSE, 6024). The keyboard
// window is the one whose native id (32 bits) stands at offset 0 of the
// 16-byte shared block "Mirel_Virtual_KeyBoard"; while that block holds no
// id, or no block exists, nothing is taken. The keyboard therefore acts only
// through the posted events, and the window that has the keyboard focus
// keeps it.
//
// wParam is the mouse message: 513 left press, 514 left release, 516 right
// press, 517 right release (a double click gives two presses and two
// releases). lParam is the
// screen point, X in the high word and Y in the low word (16 bits each).
//
// Both calls run on the main thread after the application object exists. A
// second StartHook adds nothing; StopHook without a hook does nothing.

#include <QEvent>
#include <QPoint>
#include <QtGlobal>

#if defined(MKBD_BUILD)
#define MKBD_EXPORT __attribute__((visibility("default")))
#else
#define MKBD_EXPORT
#endif

extern "C" {
MKBD_EXPORT void StartHook();
MKBD_EXPORT void StopHook();
}

namespace mkbd {

// The name of the shared block and the offsets of the two window ids.
inline constexpr const char *SharedBlockName = "Mirel_Virtual_KeyBoard";
inline constexpr int KeyboardIdOffset = 0;
inline constexpr int TargetIdOffset = 4;

inline constexpr int WM_HOOKMOUSE = 6024;
inline constexpr int WM_LBUTTONDOWN = 513;
inline constexpr int WM_LBUTTONUP = 514;
inline constexpr int WM_RBUTTONDOWN = 516;
inline constexpr int WM_RBUTTONUP = 517;

// Screen point <-> lParam (X high word, Y low word, each a signed 16-bit).
inline qint32 pointToLParam(QPoint p)
{
    return qint32((quint32(quint16(p.x())) << 16) | quint32(quint16(p.y())));
}
inline QPoint lParamToPoint(qint32 lParam)
{
    return QPoint(qint16(quint32(lParam) >> 16), qint16(quint32(lParam) & 0xFFFF));
}

class HookMouseEvent : public QEvent {
public:
    HookMouseEvent(quint32 wParam, qint32 lParam)
        : QEvent(QEvent::Type(WM_HOOKMOUSE)), wParam(wParam), lParam(lParam)
    {
    }
    quint32 wParam;
    qint32 lParam;
};

} // namespace mkbd
