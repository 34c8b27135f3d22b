#pragma once
// The message window: every user message of the terminal goes through it.
//
// ShowMessageBox (uKV_Common) hands each text to the one window created at
// start-up. Texts wait in a first-in, first-out queue together with their
// stay times. A notice (kind 2) shows without waiting and closes itself once
// its stay time has passed and nothing else is queued; a question (every
// other kind) is shown modally and returns the pressed button. While the
// window is on screen, further texts only join the queue and the call
// returns 0 at once; a question asked then is therefore not confirmed.

#include "core/uKV_Common_Msg.h"

#include <QDateTime>
#include <QDialog>
#include <QPoint>
#include <QStringList>
#include <memory>

class QTimer;

namespace Ui {
class TF401_Dialog;
}

// What the message window needs to know of the on-screen keyboard: whether
// it is on screen, and the screen position of its top edge. The keyboard
// registers one with SetKeyboardPlacement when it is created.
class KeyboardPlacement {
public:
    virtual ~KeyboardPlacement() = default;
    virtual bool isShowing() const = 0;
    virtual int top() const = 0;
};

// nullptr: no keyboard. The placement must outlive its registration.
void SetKeyboardPlacement(const KeyboardPlacement *placement);
// The registered placement, or nullptr.
const KeyboardPlacement *CurrentKeyboardPlacement();

class TF401_Dialog : public QDialog {
    Q_OBJECT

public:
    // Registers the window as the message handler of ShowMessageBox; the
    // previous handler comes back when the window is destroyed.
    explicit TF401_Dialog(QWidget *parent = nullptr);
    ~TF401_Dialog() override;

    // The generated form: every control under its component name.
    Ui::TF401_Dialog &form() const { return *ui; }

    // Queues text with its stay time (ms; 0 = until a button is pressed) and
    // shows the window when it is hidden. Returns 0 for a notice and for any
    // text queued while the window is on screen; otherwise the pressed
    // button: 1 (btn_OK), 6 (btn_Yes), 7 (btn_No). A question whose stay
    // time runs out without a press returns 0.
    int ShowMessageBox(const QString &text, int kind, int stayMs);

    // The timer (its object name alike).
    QTimer *tmr_Stay = nullptr;

public slots:
    // Closing without a button (Escape, the window system): the texts still
    // queued are dropped so they never show up under a later message.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void btn_Click(QWidget *Sender);
    void tmr_StayTimer();

    // Sets visibility, place and caption of the three buttons for kind.
    void layoutButtons(int kind);
    // Takes the first queued text and puts it on screen.
    void showNextMessage();
    void clearQueue();
    // Above the on-screen keyboard when it shows, else near the middle.
    void placeWindow();

    std::unique_ptr<Ui::TF401_Dialog> ui;
    QStringList MessageQueue;
    QStringList StayQueue;
    bool IsModal = false;
    int CurrentStay = 0;
    QDateTime ShownAt;

    MessageBoxHandler m_previousHandler;
    bool m_dragging = false;
    QPoint m_dragOffset;
};

// The message window of the run (created at start-up).
extern TF401_Dialog *F401_Dialog;
