#include "shell/U505_ScrollMenu.h"
#include "ui_U505_ScrollMenu.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/uKV_DataModule.h"
#include "platform/remote/ClientDataSet.h"
#include "shell/MenuTags.h"
#include "shell/ScreenRegistry.h"
#include "shell/ScreenRunner.h"
#include "shell/SignInSource.h"
#include "shell/U403_Keyboard.h"
#include "shell/WorkScreen.h"

#include <QHideEvent>
#include <QShowEvent>

TF505_ScrollMenu *F505_ScrollMenu = nullptr;

namespace {

enum class Right { Use, Read };

// Which program ids decide a button and by which right. The first id found
// in the rights rows decides; none found disables the button.
struct ButtonRight {
    int tag;
    QStringList programIds;
    Right right;
};

const QList<ButtonRight> &buttonRights()
{
    static const QList<ButtonRight> table = {
        {501301, {"F20_PURCHASEENTRY"}, Right::Use},
        {501302, {"F30_WAREHOUSEENTRY"}, Right::Use},
        {501303, {"F30_PRODUCTENTRY"}, Right::Use},
        {501304, {"F30_DELIVERYENTRY"}, Right::Use},
        {501305, {"F30_DELIVERYENTRY"}, Right::Use},
        {501306, {"F30_DELIVERYENTRY"}, Right::Use},
        {501307,
         {"F20_PURCHASEINQUIRY", "F20_SALESINQUIRY", "F30_WAREHOUSEINQUIRY", "F30_DELIVERYINQUIRY"},
         Right::Use},
        {501308, {"F30_WORKENTRY"}, Right::Use},
        {501309, {"F30_PRODUCTINQUIRY"}, Right::Read},
        {501310, {"F30_DAILYPRODUCTSUM"}, Right::Read},
        {501311, {"F30_ITEMPRODUCTSUM"}, Right::Read},
        {501312, {"F30_PRODSTOCKINQUIRY"}, Right::Read},
        {501313, {"F30_MATSTOCKINQUIRY"}, Right::Read},
        {501314, {"F02_RECIPE"}, Right::Read},
    };
    return table;
}

} // namespace

TF505_ScrollMenu::TF505_ScrollMenu(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(new Ui::TF505_ScrollMenu)
{
    ui->setupUi(this);
    setFixedSize(MenuWidth, MenuHeight);


    for (TMirelImgBtn *button : findChildren<TMirelImgBtn *>())
        connect(button, &TMirelImgBtn::OnClick, this, &TF505_ScrollMenu::btn_BtnClick);

    cds_Login = new ClientDataSet(this);
    cds_Login->setObjectName(QStringLiteral("cds_Login"));
    cds_Login->setProviderName(QStringLiteral("dspStoredProc1"));
    cds_Login->setCommandText(QStringLiteral("GP_SELECT_F0050_POS_LOGIN"));

    CDS_AUTHORIZE = new ClientDataSet(this);
    CDS_AUTHORIZE->setObjectName(QStringLiteral("CDS_AUTHORIZE"));
    CDS_AUTHORIZE->setProviderName(QStringLiteral("dspStoredProc2"));
    CDS_AUTHORIZE->setCommandText(QStringLiteral("GP_SELECT_F0030_RALD"));
}

TF505_ScrollMenu::~TF505_ScrollMenu()
{
    if (F505_ScrollMenu == this)
        F505_ScrollMenu = nullptr;
    delete ui;
}

TMirelImgBtn *TF505_ScrollMenu::buttonOf(int tag) const
{
    for (TMirelImgBtn *button : findChildren<TMirelImgBtn *>())
        if (button->Tag() == tag)
            return button;
    return nullptr;
}

void TF505_ScrollMenu::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TF505_ScrollMenu::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit hidden();
}

void TF505_ScrollMenu::FormShow()
{
    // Every failure (no connection, a server error, a missing column) ends
    // the refresh without a word; the buttons keep what they had.
    try {
        SignInSource *signIn = CurrentSignInSource();
        if (!signIn || !DM)
            return;
        cds_Login->setRemoteServer(DM->RODataSnapConnection);
        CDS_AUTHORIZE->setRemoteServer(DM->RODataSnapConnection);

        cds_Login->Close();
        cds_Login->Params().Clear();
        SetTextParam(*cds_Login, "@A_CMCD", MyConfig.CompanyCode);
        SetTextParam(*cds_Login, "@A_STCD", MyConfig.StoreCode);
        SetTextParam(*cds_Login, "@A_USER", signIn->IdText());
        SetTextParam(*cds_Login, "@A_PWD", signIn->PasswordText());
        SetTextParam(*cds_Login, "@A_BAR", signIn->BarcodeText());
        cds_Login->Open();
        if (cds_Login->IsEmpty())
            return;

        CopySignInRowToUserSlot(*cds_Login);

        CDS_AUTHORIZE->Close();
        CDS_AUTHORIZE->Params().Clear();
        SetTextParam(*CDS_AUTHORIZE, "A_CMCD", MyConfig.CompanyCode);
        SetTextParam(*CDS_AUTHORIZE, "A_USGR", cds_Login->FieldByName(QStringLiteral("abuserw")).AsString());
        CDS_AUTHORIZE->Open();

        enableByRights();
    } catch (const std::exception &) {
        // silent by design: the menu shows the buttons as they were
    }
}

void TF505_ScrollMenu::enableByRights()
{
    for (const ButtonRight &row : buttonRights()) {
        TMirelImgBtn *button = buttonOf(row.tag);
        if (!button)
            continue;
        bool enabled = false;
        for (const QString &id : row.programIds) {
            if (CDS_AUTHORIZE->Locate(QStringLiteral("slpgid"), id)) {
                const char *right = row.right == Right::Use ? "uaug" : "reau";
                enabled = CDS_AUTHORIZE->FieldByName(QLatin1String(right)).AsBoolean();
                break;
            }
        }
        button->setEnabled(enabled);
        // A disabled button loses its picture to the grey face; its caption
        // then names the screen so the user still sees what is not allowed.
        const ScreenInfo *screen = FindMenuScreen(row.tag);
        button->setCaption(enabled || !screen ? QString() : screen->title);
    }
}

void TF505_ScrollMenu::btn_BtnClick(QWidget *Sender)
{
    auto *button = qobject_cast<TMirelImgBtn *>(Sender);
    if (!button || !button->isEnabled())
        return;
    const int tag = button->Tag();
    close();
    CloseCurrent(Sender);
    if (CloseResult == 2)
        return;

    TScreenRunner &runner = ScreenRunner();
    TWorkScreen *current = runner.currentScreen();
    if (current && !current->isVisible())
        runner.requestSwitch(tag); // opened once the closed screen's loop has ended
    else
        runner.run(tag);
}

void TF505_ScrollMenu::CloseCurrent(QWidget *Sender)
{
    Q_UNUSED(Sender);
    close();
    const int tag = CurrentFormTag;
    if (!FindMenuScreen(tag) && !IsScreenRegistered(tag))
        return; // not a screen of the menu: nothing to close

    TWorkScreen *screen = ScreenInstance(tag);
    if (!screen) {
        CloseResult = 1; // the screen has already gone
        return;
    }

    if (DataSet *workTable = screen->WorkTable()) {
        if (!ConfirmDiscardWorkRows(workTable->Active() ? workTable->RecordCount() : 0)) {
            CloseResult = 2;
            return;
        }
        CloseResult = 1;
        screen->CloseScreen();
        return;
    }

    if (tag == MenuTag::RecipeView && F403_Keyboard)
        F403_Keyboard->Close();
    screen->CloseOperation();
    if (screen->isVisible())
        screen->CloseScreen();
    CloseResult = 1;
}
