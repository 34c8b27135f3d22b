#pragma once
// Modeless windows over modal ones.
//
// While a modal window runs, Qt blocks input to every other top-level window
// that is not one of its (transient) descendants. The message box's notices,
// the scroll menu and the on-screen keyboard are modeless windows that must
// keep working over whatever modal screen is open, so each of them calls
// ShowOverModal (or AttachToTopModal just before its own show) every time it
// is shown: the window then gets the newest modal window as its transient
// parent and is not blocked by it.

class QWidget;

// The newest modal window on screen other than `except`, or nullptr.
QWidget *TopModalWindow(const QWidget *except = nullptr);

// Makes the newest modal window (other than the window itself) the transient
// parent of window; with no modal window on screen the window falls back to
// its parent widget's window (or none). Call while the window is hidden:
// Qt decides whether a window is blocked when it is shown.
void AttachToTopModal(QWidget *window);

// AttachToTopModal, then show the window.
void ShowOverModal(QWidget *window);

// Centres window on the window of its parent widget, or on the screen when it
// has none.
void CenterOnOwner(QWidget *window);

class QDialog;

// A touch screen closes through its own buttons: the Escape key (also the
// key pads' Escape) no longer rejects `dialog`.
void KeepOpenOnEscape(QDialog *dialog);
