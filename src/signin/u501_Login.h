#pragma once
// The sign-in screen, the application's main form: a borderless 1024 x 768
// screen on which staff sign in by ID and password or by barcode, with a
// notice board (titles and a browser), a clock and shortcut buttons that need
// no sign-in (table orders, A4 printer set-up, user list, remote support,
// minimise, quit).
//
// Construction: TF501_Login(parent) builds the form, registers itself as the
// sign-in source of the scroll menu (SignInSource.h) and its CDS_AUTHORIZE as
// the program rights (ProgramRights.h), opens the device ports and starts the
// printer thread (CM->ComPortsOpen, CM->PreparePrints; skipped when there is
// no CM). Start-up creates it first of the five windows, sets F501_Login,
// shows it, and ends the message loop when it closes (QDialog::finished; the
// quit button closes it). Destruction closes the ports and stops the printer
// thread (CM->ComPortsClose, then CM->StopPrints).
//
// A sign-in (CheckLogin) checks the user on the server, fills the user slot of
// MyConfig, loads the user group's rights into CDS_AUTHORIZE and then, by
// Mode, opens pattern order entry through the screen runner ("0"), the time
// clock ("1") or the settings screen ("2"). It returns only once the screens
// it opened have closed; every successful sign-in then ends on the empty
// screen (ResetLogin).

#include "shell/SignInSource.h"

#include <QDialog>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class ClientDataSet;
class NoticeBrowser;
class QLabel;
class QLineEdit;
class QTimer;

namespace Ui {
class TF501_Login;
}

// The window of btn_Jumun (the restaurant-table order list), created on
// demand with the sign-in screen as parent; start-up installs it. Without a
// factory the button opens the list's placeholder screen.
using TableOrderWindowFactory = std::function<QDialog *(QWidget *parent)>;
void SetTableOrderWindowFactory(TableOrderWindowFactory factory);

// The A4 printer set-up: shows the choice with `current` selected and returns
// the chosen printer's name, or an empty text when cancelled. The default is
// the print dialog; tests install their own.
using PrinterSetupDialog = std::function<QString(QWidget *parent, const QString &current)>;
PrinterSetupDialog SetPrinterSetupDialog(PrinterSetupDialog dialog);

class TF501_Login : public QDialog, public SignInSource {
    Q_OBJECT
public:
    static constexpr int NoticeSlots = 31;
    // Where the user list stands relative to the screen.
    static constexpr int UserListLeft = 173;
    static constexpr int UserListTop = 442;

    explicit TF501_Login(QWidget *parent = nullptr);
    ~TF501_Login() override;

    // The generated form: every control under its component name.
    Ui::TF501_Login &form() const { return *ui; }

    // "0" order work, "1" time clock, "2" settings.
    QString Mode = QStringLiteral("0");
    // The edit into which the key pad types.
    QLineEdit *KeypadTarget = nullptr;
    // Digits typed on a keyboard or a keyboard-wedge reader since the last Enter.
    QString ScanBuffer;
    // Rows of the last notice list.
    int NoticeCount = 0;

    QLabel *lb_Notice[NoticeSlots] = {}; // lb_Notice1 ... lb_Notice31
    QLabel *img_[NoticeSlots] = {};      // img_1 ... img_31
    std::unique_ptr<NoticeBrowser> EmbeddedWB1;
    QTimer *tmr_LoginTime = nullptr;

    ClientDataSet *cds_Login = nullptr;     // GP_SELECT_F0050_POS_LOGIN
    ClientDataSet *CDS_AUTHORIZE = nullptr; // GP_SELECT_F0030_RALD
    ClientDataSet *cds_Notice = nullptr;    // GP_SELECT_F4500_POS_NOTICE

    // The sign-in with what the purpose opens; true when the server knows the user.
    bool CheckLogin();
    // Back to the empty sign-in state (Mode "0", edits empty, key pad on edt_ID).
    void ResetLogin();
    // Opens the time clock for the user of the sign-in row.
    void OpenAttendance();
    // Fills the notice titles (first page shown).
    void LoadNotices();
    // The application became active / inactive: ports opened / closed.
    void OnActivation();
    void OnDeactivation();

    // The notice page shown (0 first), and the two paging buttons' actions.
    int NoticePage() const;
    void NextNoticePage();
    void PriorNoticePage();
    // A touch on notice label n (1 to 31).
    void NoticeClick(int n);
    // The address of notice number on the notice server.
    static QString NoticeUrl(int number);
    // The remote-support page.
    static QString SupportUrl();

    // SignInSource
    QString IdText() const override;
    QString PasswordText() const override;
    QString BarcodeText() const override;
    DataSet *SignInRow() const override;

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void keypadUp(QWidget *sender);
    void signInKey();
    void setKeypadTarget(QLineEdit *edit);
    void showNoticeBoard(bool show);
    void showNoticePage(int page);
    void chooseUser();
    void purposeConfig();
    void purposeTimeClock();
    void tableOrders();
    void printerSetup();
    void remoteSupport();
    void minimize();
    void closeKeyboard();
    void tick();
    bool loadRights();
    void orderWork();

    std::unique_ptr<Ui::TF501_Login> ui;
    QPointer<QDialog> m_tableOrders;
    QMetaObject::Connection m_activation;
};

extern TF501_Login *F501_Login;
