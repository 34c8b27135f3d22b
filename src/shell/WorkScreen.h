#pragma once
// TWorkScreen: the base of every work screen that the scroll menu reaches
// (order, receipt, production, release, stock-out, history, reports,
// ledgers, recipe view, time clock, stock status).
//
// A work screen is a frameless 1024 x 768 modal dialog. The screen runner
// (ScreenRunner.h) creates it, runs its modal loop and frees it; screens never
// open one another directly.
//
// What the scroll menu relies on:
//  - btn_AllMenuView, the menu button. A screen built from a .ui names its
//    button "btn_AllMenuView" and either calls bindMenuButton() after setupUi
//    or lets the base find the button by that name when the screen is first
//    shown. Pressing it shows the menu when the menu is not on screen (placed
//    at the screen's Left + 1, Top + 53, over the modal screen) and closes it
//    when it is.
//  - MenuViewState: "0" when the screen is shown, "1" while the menu this
//    screen opened is on screen, "2" once it was closed. The state follows
//    the menu however the menu closes (button, a switch, a declined guard
//    question), so one press always shows a hidden menu.
//  - WorkTable(): an entry screen returns its work table (VTB_PATTERNBALJU or
//    vtb_STOCK); rows in it are unsaved input, and the menu asks before it
//    closes such a screen. Every other screen returns nullptr.
//  - CloseOperation(): what the menu calls to close a screen without a work
//    table (the screen's own close button handler). The default sets modal
//    result 2 (cancel).
//  - CloseScreen(): closes the screen the way the window system would (the
//    screen's closeEvent runs; the modal loop ends with result 2). Escape
//    does not close a work screen.
//  - MenuTag(): the menu Tag under which the screen is known (501301 ...).

#include <QDialog>
#include <QPointer>
#include <QString>

class DataSet;
class TMirelButtonBase;

class TWorkScreen : public QDialog {
    Q_OBJECT
public:
    static constexpr int ScreenWidth = 1024;
    static constexpr int ScreenHeight = 768;
    // Where the menu stands relative to the screen's top-left corner.
    static constexpr int MenuOffsetX = 1;
    static constexpr int MenuOffsetY = 53;
    // Modal result of a screen closed by its close button or by the menu.
    static constexpr int CloseResult = 2;

    explicit TWorkScreen(int menuTag, QWidget *parent = nullptr);
    ~TWorkScreen() override;

    int MenuTag() const { return m_menuTag; }

    // The menu state text: "0", "1" or "2" (see above).
    QString MenuViewState = QStringLiteral("0");

    // The menu button; null until bound (see bindMenuButton).
    TMirelButtonBase *btn_AllMenuView = nullptr;

    // An entry screen's work table, else nullptr.
    virtual DataSet *WorkTable() const { return nullptr; }
    bool IsEntryScreen() const { return WorkTable() != nullptr; }

    // The close operation of a screen without a work table.
    virtual void CloseOperation() { done(CloseResult); }

    // Closes the screen (closeEvent runs, the modal loop ends).
    void CloseScreen();

    // The menu button's click: shows or closes the scroll menu.
    void btn_AllMenuViewClick();

    // Work screens now alive (created and not yet destroyed).
    static int LiveCount();

public slots:
    // A close by the window system: the loop ends with result 2.
    void reject() override;

protected:
    // Connects button as the menu button (replacing an earlier one).
    void bindMenuButton(TMirelButtonBase *button);

    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

    // True for the first showing that is not the window system's own, false
    // ever after: a screen loads what it shows then (its FormShow).
    bool FirstShow(const QShowEvent *event);

private:
    void menuHidden();

    int m_menuTag;
    QPointer<QWidget> m_menuShownByMe;
    bool m_shown = false;
};

// The guard before unsaved rows of a work table are dropped: true at once
// when rowCount is 0; otherwise asks "작업이 끝나지 않았으면 ... 소멸됩니다"
// (kind 1) and returns true only on yes (6). The menu asks it before closing
// an entry screen; the entry screens ask it before their own close.
bool ConfirmDiscardWorkRows(int rowCount);
