#pragma once
// The scroll menu: a frameless 170 x 707 column of picture buttons, one per
// work screen, created once at start-up and shown over the current work
// screen by that screen's menu button (TWorkScreen).
//
// Each show re-runs the sign-in query with the sign-in screen's current texts
// (SignInSource.h), copies the user slot into MyConfig, loads the user
// group's program rights into CDS_AUTHORIZE and enables the buttons by them.
// Any failure ends that refresh silently; what was done stays done and the
// other buttons keep their states.
//
// Pressing an enabled button closes the menu, closes the current screen
// (CloseCurrent, asking first when an entry screen holds unsaved rows) and
// opens the chosen screen through the screen runner. Leaving the recipe view
// also closes the on-screen keyboard (F403_Keyboard).

#include <QWidget>

class ClientDataSet;
class TMirelImgBtn;

namespace Ui {
class TF505_ScrollMenu;
}

class TF505_ScrollMenu : public QWidget {
    Q_OBJECT
public:
    static constexpr int MenuWidth = 170;
    static constexpr int MenuHeight = 707;

    explicit TF505_ScrollMenu(QWidget *parent = nullptr);
    ~TF505_ScrollMenu() override;

    // The generated form: every control under its component name.
    Ui::TF505_ScrollMenu &form() const { return *ui; }

    // The Tag of the screen now at the top: set by the runner when it opens
    // a screen (for the menu and the sign-in screen alike); never cleared.
    int CurrentFormTag = 0;
    // Answer of CloseCurrent: 1 go on, 2 stop.
    int CloseResult = 0;

    // The menu's own copies of the sign-in data sets.
    ClientDataSet *cds_Login = nullptr;     // GP_SELECT_F0050_POS_LOGIN
    ClientDataSet *CDS_AUTHORIZE = nullptr; // GP_SELECT_F0030_RALD

    // The button of a menu Tag, or nullptr.
    TMirelImgBtn *buttonOf(int tag) const;

    // The refresh run on every show (public for tests and for a caller that
    // wants the states without showing the menu).
    void FormShow();

    // The switch (every button's OnClick).
    void btn_BtnClick(QWidget *Sender);

    // Closes the screen named by CurrentFormTag and sets CloseResult.
    void CloseCurrent(QWidget *Sender);

signals:
    // The menu left the screen, however it was closed.
    void hidden();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void enableByRights();

    Ui::TF505_ScrollMenu *ui = nullptr;
};

// The menu of the run (created at start-up).
extern TF505_ScrollMenu *F505_ScrollMenu;
