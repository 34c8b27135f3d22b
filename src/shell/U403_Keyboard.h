#pragma once
// The on-screen keyboard: a Korean two-set layout, an English layout and a
// number pad in one frameless, stay-on-top window that never takes the
// focus. It types into another window (its target) without taking the
// focus from it.
//
// Use:
//   F403_Keyboard->TargetForm = this;        // the window that gets the keys
//   F403_Keyboard->KeyboardMode = 0;         // 0 wide, 1 compact
//   F403_Keyboard->ApplyMode();              // size for the mode (optional:
//                                            // Show applies it too)
//   F403_Keyboard->move(x, y);               // where it stands on screen
//   F403_Keyboard->Show();
//   ...
//   F403_Keyboard->Close();                  // also clears TargetForm
// or in one call: F403_Keyboard->Show(this, 0, QPoint(x, y)).
//
// Showing without a target does nothing. While shown, the keyboard is
// attached to the newest modal window (so a modal target does not block it),
// holds the shared block "Mirel_Virtual_KeyBoard" (its own window id at
// offset 0, the target's at 4, zeros at 8-15) and runs the keyboard hook
// (libMKbd: StartHook/StopHook), which turns every mouse press and release
// on it into a WM_HOOKMOUSE event; the keys act only on those. Keys go to
// the widget that has the focus, as synthetic key strokes (os::KeyPress) or,
// for Hangul, as input-method events: preedit while a syllable is composed,
// commit once it is complete. Every show starts with the Korean layout.
//
// Keys (Hint "0" character key, "1" special key, "2" pad action):
//   character keys send their HelpContext as a virtual key (above 300:
//   Shift + HelpContext - 300), or compose Hangul in the Korean layout;
//   Space (334), 한글/영어 toggle (335), backspace (505);
//   확인 (501) and 취소 (502) end the target's modal loop with 1 and 2,
//   ENTER (503) sends F24 (135), CLR (504) sends Escape.
// Anything that is not a jamo or backspace first commits the syllable being
// composed; so does closing the keyboard.

#include "shell/HangulComposer.h"
#include "shell/U401_Dialog.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

#include "platform/os/SharedBlock.h"

class TMirelImgBtn;

namespace Ui {
class TF403_Keyboard;
}

class TF403_Keyboard : public QWidget, public KeyboardPlacement {
    Q_OBJECT

public:
    static constexpr int LetterKeyCount = 37;
    static constexpr int PadKeyCount = 15;

    // Creates the keyboard hidden in mode 0 and registers it with the
    // message window (SetKeyboardPlacement) so messages stand above it.
    explicit TF403_Keyboard(QWidget *parent = nullptr);
    ~TF403_Keyboard() override;

    // The generated form: every control under its component name.
    Ui::TF403_Keyboard &form() const { return *ui; }

    // The window that receives the keys; set before showing, cleared when
    // the keyboard closes (and when that window is destroyed).
    QPointer<QWidget> TargetForm;
    // 0: wide layout, 1024 x 236 (letters left, pad right); 1: compact
    // layout, 737 x 571 (pad at the upper right, letters below). Set before
    // showing.
    quint8 KeyboardMode = 0;

    // Sizes the window and places the two plates for KeyboardMode.
    void ApplyMode();

    // Shows the keyboard for TargetForm (nothing without one): places the
    // keys for the mode, writes the shared block, labels the keys Korean,
    // shows without activating and starts the hook. Plain show() does the
    // same. Shown again while up, it takes the new mode, place and target
    // and keeps its layout.
    void Show();
    // Sets TargetForm and KeyboardMode, moves the window's top left to
    // topLeft (screen position) and shows it.
    void Show(QWidget *target, quint8 mode, const QPoint &topLeft);
    // Commits what is composed, stops the hook, releases the shared block,
    // clears TargetForm and hides. Plain close() does the same.
    void Close();

    // Whether the Korean layout is on the keys (else the English one).
    bool isKoreanLayout() const { return m_korean; }

    // KeyboardPlacement: on screen, and the screen position of its top edge.
    bool isShowing() const override;
    int top() const override;

    void setVisible(bool visible) override;

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Finds the 52 keys by name; logs "TF403_Keyboard.InitKeys" on failure.
    void InitKeys();
    // Puts the keys where the current mode wants them.
    void placeKeys();
    // Captions and key codes of the letter keys for a layout.
    void labelKeys(bool korean);
    bool writeSharedBlock();

    // One WM_HOOKMOUSE message: press, perform or release.
    void hookMouse(quint32 wParam, qint32 lParam);
    TMirelImgBtn *keyAt(const QPoint &screenPoint) const;
    void releaseAllKeys();
    void performKey(TMirelImgBtn *key);
    // A virtual key, with Shift when code is above 300.
    void sendVirtualKey(int code);
    void endTargetModal(int result);

    // Input-method events to the focused widget.
    void composeJamo(QChar jamo);
    void composeBackspace();
    void commitComposition();
    void sendInputMethod(const QString &commit, const QString &preedit);
    void focusChanged(QObject *focusObject);

    std::unique_ptr<Ui::TF403_Keyboard> ui;
    std::array<TMirelImgBtn *, LetterKeyCount> m_letterKeys{};
    std::array<TMirelImgBtn *, PadKeyCount> m_padKeys{};
    QPointer<TMirelImgBtn> m_pressedKey;
    bool m_korean = true;
    bool m_hookRunning = false;
    os::SharedBlock m_block;

    HangulComposer m_composer;
    // The widget that shows the syllable being composed.
    QPointer<QObject> m_imeTarget;
};

// The keyboard of the run (created at start-up).
extern TF403_Keyboard *F403_Keyboard;
