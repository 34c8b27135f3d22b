#include "signin/u501_Login.h"

#include "ui_u501_Login.h"
#include "ui_u502_MngUsers.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/MirelTrnBtn.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/ProgramRights.h"
#include "core/TCM.h"
#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "platform/os/Clock.h"
#include "platform/os/Process.h"
#include "platform/remote/ClientDataSet.h"
#include "platform/report/Report.h"
#include "settings/u302_ConfigEnv.h"
#include "shell/MenuTags.h"
#include "shell/NoticeBrowser.h"
#include "shell/PlaceholderScreen.h"
#include "shell/ScreenRegistry.h"
#include "shell/ScreenRunner.h"
#include "shell/U401_Dialog.h"
#include "shell/U403_Keyboard.h"
#include "shell/U505_ScrollMenu.h"
#include "signin/u502_MngUsers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

TF501_Login *F501_Login = nullptr;

namespace {

const QString kPurchaseEntry = QStringLiteral("F20_PURCHASEENTRY");
constexpr MessageKind kMessageKind = mkNotice;
constexpr int kMessageStay = 2000;

TableOrderWindowFactory &tableOrderFactory()
{
    static TableOrderWindowFactory factory;
    return factory;
}

QString defaultPrinterSetup(QWidget *parent, const QString &current)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!current.isEmpty())
        printer.setPrinterName(current);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return printer.printerName();
}

PrinterSetupDialog &printerSetupSlot()
{
    static PrinterSetupDialog dialog = defaultPrinterSetup;
    return dialog;
}

QString serverBase()
{
    return ServerAddress(MyConfig);
}

} // namespace

void SetTableOrderWindowFactory(TableOrderWindowFactory factory)
{
    tableOrderFactory() = std::move(factory);
}

PrinterSetupDialog SetPrinterSetupDialog(PrinterSetupDialog dialog)
{
    if (!dialog)
        dialog = defaultPrinterSetup;
    return std::exchange(printerSetupSlot(), std::move(dialog));
}

TF501_Login::TF501_Login(QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), ui(std::make_unique<Ui::TF501_Login>())
{
    ui->setupUi(this);
    setFixedSize(1024, 768);

    for (int i = 0; i < NoticeSlots; ++i) {
        lb_Notice[i] = findChild<QLabel *>(QStringLiteral("lb_Notice%1").arg(i + 1));
        img_[i] = findChild<QLabel *>(QStringLiteral("img_%1").arg(i + 1));
        lb_Notice[i]->setProperty("Tag", 0);
        lb_Notice[i]->installEventFilter(this);
    }

    EmbeddedWB1 = CreateNoticeBrowser(ui->EmbeddedWB1);
    auto *browserLayout = new QVBoxLayout(ui->EmbeddedWB1);
    browserLayout->setContentsMargins(0, 0, 0, 0);
    browserLayout->addWidget(EmbeddedWB1->widget());

    cds_Login = NewRemoteCall(this, "cds_Login", "dspStoredProc1", QStringLiteral("GP_SELECT_F0050_POS_LOGIN"));
    CDS_AUTHORIZE = NewRemoteCall(this, "CDS_AUTHORIZE", "dspStoredProc2", QStringLiteral("GP_SELECT_F0030_RALD"));
    cds_Notice = NewRemoteCall(this, "cds_Notice", "dspStoredProc7", QStringLiteral("GP_SELECT_F4500_POS_NOTICE"));

    tmr_LoginTime = new QTimer(this);
    tmr_LoginTime->setObjectName(QStringLiteral("tmr_LoginTime"));
    tmr_LoginTime->setInterval(500);
    tmr_LoginTime->setSingleShot(true);
    connect(tmr_LoginTime, &QTimer::timeout, this, &TF501_Login::tick);

    // The key pad acts on release.
    const QList<TMirelImgBtn *> pad = {ui->btn_Num0, ui->btn_Num1, ui->btn_Num2, ui->btn_Num3, ui->btn_Num4,
                                       ui->btn_Num5, ui->btn_Num6, ui->btn_Num7, ui->btn_Num8, ui->btn_Num9,
                                       ui->btn_Login, ui->btn_Next, ui->btn_Clear, ui->btn_Back,
                                       ui->btn_RarRam, ui->btn_KibordAdd};
    for (TMirelImgBtn *key : pad)
        connect(key, &TMirelImgBtn::OnMouseUp, this, [this](QWidget *sender) { keypadUp(sender); });
    ui->btn_RarRam->setDown(true);

    connect(ui->btn_SelectUser, &TMirelImgBtn::OnClick, this, [this] { chooseUser(); });
    connect(ui->btn_Config, &TMirelImgBtn::OnClick, this, [this] { purposeConfig(); });
    connect(ui->btn_ChulTyol, &TMirelImgBtn::OnClick, this, [this] { purposeTimeClock(); });
    connect(ui->btn_Jumun, &TMirelImgBtn::OnClick, this, [this] { tableOrders(); });
    connect(ui->btn_A4PrintOn, &TMirelImgBtn::OnClick, this, [this] { printerSetup(); });
    connect(ui->btn_Remotecall, &TMirelImgBtn::OnClick, this, [this] { remoteSupport(); });
    connect(ui->btn_Minimize, &TMirelImgBtn::OnClick, this, [this] { minimize(); });
    connect(ui->btn_Close, &TMirelTrnBtn::OnClick, this, [this] { close(); });
    connect(ui->btn_LeftUp01, &TMirelImgBtn::OnClick, this, [this] { PriorNoticePage(); });
    connect(ui->btn_RightDown01, &TMirelImgBtn::OnClick, this, [this] { NextNoticePage(); });

    // Keyboard and scanner input: the form, edt_ID and edt_Barcode.
    installEventFilter(this);
    ui->edt_ID->installEventFilter(this);
    ui->edt_Barcode->installEventFilter(this);
    // Touching an edit makes it the key pad's target.
    ui->edt_PWD->installEventFilter(this);

    ui->lb_PosTitle->setText(MyConfig.PosNo + QLatin1Char('(') + MyConfig.StoreName + QLatin1Char(')'));
    ScanBuffer.clear();
    ui->edt_CasherName->clear();
    ui->edt_ID->clear();
    ui->edt_PWD->clear();
    ui->edt_Barcode->clear();
    KeypadTarget = ui->edt_ID;

    SetSignInSource(this);
    SetProgramRights(CDS_AUTHORIZE);

    if (CM) {
        CM->ComPortsOpen();
        CM->PreparePrints();
    }
}

TF501_Login::~TF501_Login()
{
    disconnect(m_activation);
    if (CM) {
        CM->ComPortsClose();
        CM->StopPrints();
    }
    if (CurrentSignInSource() == this)
        SetSignInSource(nullptr);
    if (ProgramRights() == CDS_AUTHORIZE)
        SetProgramRights(nullptr);
    delete m_tableOrders.data();
    if (F501_Login == this)
        F501_Login = nullptr;
}

// ---- sign-in ----------------------------------------------------------------

bool TF501_Login::CheckLogin()
{
    return RunLogged(QStringLiteral("TF501_Login.CheckLogin Error:"), [&] {
        ClientDataSet &login = *cds_Login;
        login.Close();
        login.Params().Clear();
        SetTextParam(login, "@A_CMCD", MyConfig.CompanyCode);
        SetTextParam(login, "@A_STCD", MyConfig.StoreCode);
        SetTextParam(login, "@A_USER", ui->edt_ID->text());
        SetTextParam(login, "@A_PWD", ui->edt_PWD->text());
        SetTextParam(login, "@A_BAR", ui->edt_Barcode->text());
        login.Open();
        if (login.IsEmpty())
            return false;

        CopySignInRowToUserSlot(login);
        // The rights rows belong to whoever signed in last, whatever the
        // purpose: the entry screens reached through the menu read them.
        const bool anyRights = loadRights();

        if (Mode == QLatin1String("1")) {
            OpenAttendance();
        } else if (Mode == QLatin1String("2")) {
            if (MyConfig.UIHAUG)
                TF302_ConfigEnv::Execute(this);
            else
                ShowMessageBox(QStringLiteral("권한이 없습니다."), kMessageKind, kMessageStay);
        } else if (!anyRights) {
            ShowMessageBox(QStringLiteral("발주권한이 없습니다1."), kMessageKind, kMessageStay);
        } else {
            orderWork();
        }
        return true;
    });
}

bool TF501_Login::loadRights()
{
    ClientDataSet &rights = *CDS_AUTHORIZE;
    rights.Close();
    rights.Params().Clear();
    SetTextParam(rights, "A_CMCD", MyConfig.CompanyCode);
    SetTextParam(rights, "A_USGR", cds_Login->FieldByName(QStringLiteral("abuserw")).AsString());
    rights.Open();
    SetProgramRights(CDS_AUTHORIZE);
    return !rights.IsEmpty();
}

void TF501_Login::orderWork()
{
    if (!CDS_AUTHORIZE->Locate(QStringLiteral("slpgid"), kPurchaseEntry)) {
        ShowMessageBox(QStringLiteral("발주권한이 없습니다3."), kMessageKind, kMessageStay);
        return;
    }
    if (!CDS_AUTHORIZE->FieldByName(QStringLiteral("uaug")).AsBoolean()) {
        ShowMessageBox(QStringLiteral("발주권한이 없습니다2."), kMessageKind, kMessageStay);
        return;
    }
    // The runner frees the screen and clears its global when its loop ends,
    // and returns once no screen of it is open any more.
    ScreenRunner().run(MenuTag::RegOrder);
}

void TF501_Login::OpenAttendance()
{
    // The runner hands the time clock this sign-in row (number, name,
    // manager flag), sets the menu's CurrentFormTag, and frees the screen and
    // clears F638_AttendModify when it closes; a switch through the menu from
    // the time clock runs there too.
    ScreenRunner().run(MenuTag::TimeClock);
}

void TF501_Login::ResetLogin()
{
    Mode = QStringLiteral("0");
    MyConfig.UIHAUG = false;
    ui->btn_Login->setVisible(true);
    for (QLineEdit *edit : {ui->edt_CasherName, ui->edt_ID, ui->edt_PWD, ui->edt_Barcode}) {
        edit->clear();
        edit->setEnabled(true);
    }
    ui->btn_SelectUser->setVisible(true);
    KeypadTarget = nullptr;
    setKeypadTarget(ui->edt_ID);
}

void TF501_Login::signInKey()
{
    if (ui->edt_Barcode->text().isEmpty() && (ui->edt_ID->text().isEmpty() || ui->edt_PWD->text().isEmpty())) {
        ShowMessageBox(QStringLiteral("사용자 정보를 정확하게 입력해주세요"), kMessageKind, kMessageStay);
        return;
    }
    if (CheckLogin())
        ResetLogin();
    else
        ShowMessageBox(QStringLiteral("사용자 ID가 일치하지 않거나 비밀번호가 맞지 않습니다."), kMessageKind,
                       kMessageStay);
}

// ---- key pad and edits ------------------------------------------------------

void TF501_Login::setKeypadTarget(QLineEdit *edit)
{
    if (!edit || edit == KeypadTarget)
        return;
    KeypadTarget = edit;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

void TF501_Login::keypadUp(QWidget *sender)
{
    auto *key = qobject_cast<TMirelButtonBase *>(sender);
    if (!key || !key->isEnabled())
        return;
    const int tag = key->Tag();
    QLineEdit *target = KeypadTarget ? KeypadTarget : ui->edt_ID;
    if (tag >= 0 && tag <= 9) {
        target->del(); // removes the selection, if any
        target->setText(target->text() + QString::number(tag));
        target->end(false);
        return;
    }
    switch (tag) {
    case 501:
        signInKey();
        break;
    case 503: {
        QLineEdit *next = target == ui->edt_ID ? ui->edt_PWD : target == ui->edt_PWD ? ui->edt_Barcode : ui->edt_ID;
        KeypadTarget = next;
        next->setFocus(Qt::OtherFocusReason);
        next->selectAll();
        break;
    }
    case 504:
        target->clear();
        break;
    case 505: {
        if (target->hasSelectedText())
            target->del();
        const QString text = target->text();
        target->setText(CutBytes(text, text.length() - 1));
        target->end(false);
        break;
    }
    case 506:
        closeKeyboard();
        showNoticeBoard(true);
        break;
    case 507:
        showNoticeBoard(false);
        break;
    default:
        break;
    }
}

bool TF501_Login::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == ui->edt_ID || watched == ui->edt_PWD || watched == ui->edt_Barcode) {
            setKeypadTarget(static_cast<QLineEdit *>(watched));
        } else {
            for (int i = 0; i < NoticeSlots; ++i)
                if (watched == lb_Notice[i]) {
                    NoticeClick(i + 1);
                    break;
                }
        }
    } else if (event->type() == QEvent::KeyPress && (watched == this || watched == ui->edt_ID || watched == ui->edt_Barcode)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            ui->edt_Barcode->setText(ScanBuffer);
            ScanBuffer.clear();
            // A scanner sign-in shows no failure; a successful one ends on
            // the empty screen like the key pad's, so the next person does
            // not sign in with this barcode.
            if (MyConfig.LoginType == QLatin1Char('1') && CheckLogin())
                ResetLogin();
            return true; // handled once, not again by the form
        }
        const QString text = key->text();
        if (text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9'))
            ScanBuffer += text;
    }
    return QDialog::eventFilter(watched, event);
}

void TF501_Login::keyPressEvent(QKeyEvent *event)
{
    // The main form is closed by its quit button only, never by Escape.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---- purposes and user choice -----------------------------------------------

void TF501_Login::chooseUser()
{
    showNoticeBoard(false);
    int result = 2;
    if (F502_MngUsers) {
        F502_MngUsers->Mode = TF502_MngUsers::UserListMode;
        F502_MngUsers->move(x() + UserListLeft, y() + UserListTop);
        result = F502_MngUsers->exec();
    }
    showNoticeBoard(true);
    if (result == 1) {
        ui->edt_CasherName->setText(F502_MngUsers->form().pnl_Name->text());
        ui->edt_ID->setText(F502_MngUsers->ChosenId());
        // The password comes next: the key pad types into it.
        KeypadTarget = nullptr;
        setKeypadTarget(ui->edt_PWD);
    } else {
        ui->edt_CasherName->clear();
        ui->edt_ID->clear();
    }
}

void TF501_Login::purposeConfig()
{
    Mode = QStringLiteral("2");
    chooseUser();
}

void TF501_Login::purposeTimeClock()
{
    Mode = QStringLiteral("1");
    chooseUser();
    closeKeyboard();
    showNoticeBoard(true);
}

void TF501_Login::tableOrders()
{
    if (!m_tableOrders) {
        if (const TableOrderWindowFactory &factory = tableOrderFactory()) {
            m_tableOrders = factory(this);
        } else {
            ScreenInfo info;
            info.className = QStringLiteral("TF618_TblOrdList");
            info.globalName = QStringLiteral("F618_TblOrdList");
            info.title = QStringLiteral("테이블 주문 목록");
            m_tableOrders = new TPlaceholderScreen(info, this);
        }
    }
    if (!m_tableOrders)
        return;
    const int result = m_tableOrders->exec();
    // Kept with its state after OK; otherwise freed.
    if (result != 1 && m_tableOrders)
        delete m_tableOrders.data();
}

void TF501_Login::printerSetup()
{
    const QString chosen = printerSetupSlot()(this, report::ApplicationPrinterName());
    if (!chosen.isEmpty())
        report::SetApplicationPrinterName(chosen);
}

QString TF501_Login::SupportUrl()
{
    return serverBase() + QStringLiteral("/support");
}

void TF501_Login::remoteSupport()
{
    if (!os::OpenUrl(SupportUrl()))
        WriteLog(QStringLiteral("TF501_Login.btn_RemotecallClick Error:") + SupportUrl());
}

void TF501_Login::closeKeyboard()
{
    if (F403_Keyboard)
        F403_Keyboard->Close();
}

void TF501_Login::minimize()
{
    closeKeyboard();
    showMinimized();
}

// ---- notices ----------------------------------------------------------------

void TF501_Login::showNoticeBoard(bool show)
{
    ui->pan_Note->setVisible(show);
    EmbeddedWB1->widget()->setVisible(show);
    if (show)
        showNoticePage(NoticePage());
}

int TF501_Login::NoticePage() const
{
    const QWidget *const pages[] = {ui->pan_Page1, ui->pan_Page2, ui->pan_Page3};
    for (int p = 0; p < 3; ++p)
        if (!pages[p]->isHidden())
            return p;
    return 0;
}

void TF501_Login::showNoticePage(int page)
{
    QWidget *const pages[] = {ui->pan_Page1, ui->pan_Page2, ui->pan_Page3};
    for (int p = 0; p < 3; ++p)
        pages[p]->setVisible(p == page);
}

void TF501_Login::NextNoticePage()
{
    const int page = NoticePage();
    if (page == 0 && NoticeCount > 10)
        showNoticePage(1);
    else if (page == 1 && NoticeCount > 20)
        showNoticePage(2);
}

void TF501_Login::PriorNoticePage()
{
    const int page = NoticePage();
    if (page > 0)
        showNoticePage(page - 1);
}

void TF501_Login::LoadNotices()
{
    ClientDataSet &notices = *cds_Notice;
    notices.Close();
    notices.Params().Clear();
    SetTextParam(notices, "@FBCMCD", MyConfig.CompanyCode);
    SetTextParam(notices, "@FBBUUT", MyConfig.StoreCode);
    notices.Params().CreateParam(FieldType::Integer, QStringLiteral("@FBNUMB")).setAsInteger(0);
    notices.Open();
    showNoticePage(0);
    notices.First();
    for (int i = 0; i < NoticeSlots; ++i) {
        if (!notices.Eof()) {
            img_[i]->setVisible(true);
            lb_Notice[i]->setText(notices.FieldByName(QStringLiteral("FBDATE2")).AsString() + QLatin1Char(' ')
                                  + notices.FieldByName(QStringLiteral("FBTITL")).AsString());
            lb_Notice[i]->setProperty("Tag", notices.FieldByName(QStringLiteral("FBNUMB")).AsInteger());
            notices.Next();
        } else {
            img_[i]->setVisible(false);
            lb_Notice[i]->clear();
            lb_Notice[i]->setProperty("Tag", 0);
        }
    }
    NoticeCount = notices.RecordCount();
}

QString TF501_Login::NoticeUrl(int number)
{
    return serverBase() + QStringLiteral("/mrboard/listentry_list_pos.asp?mrbuut=") + MyConfig.StoreCode
           + QStringLiteral("&fbnumb=") + QString::number(number) + QStringLiteral("&reqWCode=")
           + MyConfig.CompanyCode;
}

void TF501_Login::NoticeClick(int n)
{
    // The 31st title has no click action.
    if (n < 1 || n >= NoticeSlots)
        return;
    const int tag = lb_Notice[n - 1]->property("Tag").toInt();
    if (tag <= 0)
        return;
    RunLogged(QStringLiteral("TF501_Login.NoticeClick Error:"), [&] {
        ClientDataSet &notice = *cds_Notice;
        notice.Close();
        notice.Params().Clear();
        SetTextParam(notice, "@FBCMCD", MyConfig.CompanyCode);
        SetTextParam(notice, "@FBBUUT", MyConfig.StoreCode);
        notice.Params().CreateParam(FieldType::Integer, QStringLiteral("@FBNUMB")).setAsInteger(tag);
        notice.Open();
        for (notice.First(); !notice.Eof(); notice.Next())
            EmbeddedWB1->Navigate(NoticeUrl(notice.FieldByName(QStringLiteral("FBNUMB")).AsInteger()));
    });
}

// ---- lifecycle --------------------------------------------------------------

void TF501_Login::tick()
{
    tmr_LoginTime->stop();
    ui->lg_Time->setText(os::Now().toString(QStringLiteral("hh:mm:ss")));
    tmr_LoginTime->start();
}

void TF501_Login::OnActivation()
{
    if (CM)
        CM->ComPortsOpen();
}

void TF501_Login::OnDeactivation()
{
    RunLogged(QStringLiteral("TF501_Login.OnDeactivation Error:"), [&] {
        if (CM)
            CM->ComPortsClose();
    });
}

void TF501_Login::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    Mode = QStringLiteral("0");
    disconnect(m_activation);
    m_activation = connect(qApp, &QGuiApplication::applicationStateChanged, this,
                           [this](Qt::ApplicationState state) {
                               if (state == Qt::ApplicationActive)
                                   OnActivation();
                               else if (state == Qt::ApplicationInactive)
                                   OnDeactivation();
                           });
    const KeyboardPlacement *keyboard = CurrentKeyboardPlacement();
    const int top = keyboard && keyboard->isShowing() ? keyboard->top() - height() : 384 - height() / 2;
    move(512 - width() / 2, top);
    ScanBuffer.clear();
    KeypadTarget = nullptr;
    setKeypadTarget(ui->edt_ID->text().isEmpty() ? ui->edt_ID : ui->edt_PWD);
    tick();
    showNoticeBoard(true);
    RunLogged(QStringLiteral("TF501_Login.LoadNotices Error:"), [&] {
        LoadNotices();
    });
}

void TF501_Login::done(int result)
{
    tmr_LoginTime->stop();
    ScanBuffer.clear();
    ui->edt_CasherName->clear();
    ui->edt_PWD->clear();
    ui->edt_Barcode->clear();
    QDialog::done(result);
}

// ---- SignInSource -----------------------------------------------------------

QString TF501_Login::IdText() const
{
    return ui->edt_ID->text();
}

QString TF501_Login::PasswordText() const
{
    return ui->edt_PWD->text();
}

QString TF501_Login::BarcodeText() const
{
    return ui->edt_Barcode->text();
}

DataSet *TF501_Login::SignInRow() const
{
    return cds_Login;
}
