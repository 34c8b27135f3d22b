#pragma once
// The user picker: a borderless 679 x 279 pad of up to twenty user buttons
// (LoginList1 ... LoginList20, group 502) from which a user picks their own
// name instead of typing their ID on the sign-in screen.
//
// Construction: TF502_MngUsers(parent) loads the store's user list once
// (GP_SELECT_F0050_POS_USERLIST through the central data module's
// connection); users added on the server later appear after a restart. At
// most the first twenty users are offered; a failed load leaves the buttons
// blank without a message. Start-up creates the one instance and sets the
// global F502_MngUsers; the constructor does nothing else.
//
// The sign-in screen sets Mode to 2 (the user list), places the form and
// runs exec(): 1 when a user was chosen (pnl_Name holds the name, ChosenId()
// the sign-in ID), 2 when it was closed.

#include <QDialog>
#include <QString>
#include <QStringList>

#include <memory>

class ClientDataSet;
class TMirelTrnBtn;
class QWidget;

namespace Ui {
class TF502_MngUsers;
}

class TF502_MngUsers : public QDialog {
    Q_OBJECT
public:
    static constexpr int UserCount = 20;
    static constexpr int UserListMode = 2;

    explicit TF502_MngUsers(QWidget *parent = nullptr);
    ~TF502_MngUsers() override;

    // The generated form: every control under its component name.
    Ui::TF502_MngUsers &form() const { return *ui; }

    // The page shown: 2 is the user list (the only page there is).
    int Mode = UserListMode;

    TMirelTrnBtn *LoginList[UserCount] = {};
    ClientDataSet *cds_LoginList = nullptr;

    // Sign-in IDs (UIPUSR) and job grades (CDNAME), index-parallel to the buttons.
    QStringList UserIds;
    QStringList Duties;
    // The index of the chosen button (0 to 19).
    int ChosenIndex = 0;
    QString ChosenId() const { return UserIds.value(ChosenIndex); }

    // Fills the buttons from the server; any failure leaves them as they were.
    void LoadUserList();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void userClick(QWidget *sender);

    std::unique_ptr<Ui::TF502_MngUsers> ui;
};

extern TF502_MngUsers *F502_MngUsers;
