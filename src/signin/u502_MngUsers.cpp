#include "signin/u502_MngUsers.h"

#include "ui_u502_MngUsers.h"

#include "Components/MirelComp/MirelTrnBtn.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "platform/remote/ClientDataSet.h"

#include <QShowEvent>

TF502_MngUsers *F502_MngUsers = nullptr;

TF502_MngUsers::TF502_MngUsers(QWidget *parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), ui(std::make_unique<Ui::TF502_MngUsers>())
{
    ui->setupUi(this);
    setFixedSize(679, 279);
    for (int i = 0; i < UserCount; ++i) {
        LoginList[i] = findChild<TMirelTrnBtn *>(QStringLiteral("LoginList%1").arg(i + 1));
        connect(LoginList[i], &TMirelTrnBtn::OnClick, this, &TF502_MngUsers::userClick);
    }
    connect(ui->btn_Close, &TMirelTrnBtn::OnClick, this, [this] { done(2); });

    for (int i = 0; i < UserCount; ++i) {
        UserIds << QString();
        Duties << QString();
    }
    ui->pnl_Duty->clear();
    ui->pnl_Name->clear();
    cds_LoginList = NewRemoteCall(this, "cds_LoginList", "dspStoredProc1",
                                  QStringLiteral("GP_SELECT_F0050_POS_USERLIST"));
    LoadUserList();
}

TF502_MngUsers::~TF502_MngUsers()
{
    if (F502_MngUsers == this)
        F502_MngUsers = nullptr;
}

void TF502_MngUsers::LoadUserList()
{
    try {
        ClientDataSet &list = *cds_LoginList;
        list.Close();
        list.Params().Clear();
        list.Params().CreateParam(FieldType::String, QStringLiteral("@A_CMCD")).setAsString(MyConfig.CompanyCode);
        list.Params().CreateParam(FieldType::String, QStringLiteral("@A_STCD")).setAsString(MyConfig.StoreCode);
        list.Open();
        if (!list.IsEmpty()) {
            list.First();
            for (int i = 0; i < UserCount; ++i) {
                if (!list.Eof()) {
                    LoginList[i]->setCaption(list.FieldByName(QStringLiteral("ABNAME")).AsString());
                    UserIds[i] = list.FieldByName(QStringLiteral("UIPUSR")).AsString();
                    Duties[i] = list.FieldByName(QStringLiteral("CDNAME")).AsString();
                    list.Next();
                } else {
                    LoginList[i]->setCaption(QString());
                    UserIds[i].clear();
                    Duties[i].clear();
                }
            }
        }
        list.Close();
    } catch (const std::exception &) {
        // silent: the buttons keep what they had
        cds_LoginList->Close();
    }
}

void TF502_MngUsers::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    ui->PageControl1->setCurrentIndex(0); // the user-list page, the one page of mode 2
    if (Mode == UserListMode) {
        LoginList[0]->setDown(true);
        ChosenIndex = 0;
        ui->pnl_Duty->setText(Duties.value(0));
        ui->pnl_Name->setText(LoginList[0]->Caption());
    }
}

void TF502_MngUsers::userClick(QWidget *sender)
{
    auto *button = qobject_cast<TMirelTrnBtn *>(sender);
    if (!button || button->Tag() < 0 || button->Tag() >= UserCount)
        return;
    ChosenIndex = button->Tag();
    ui->pnl_Duty->setText(Duties.value(ChosenIndex));
    ui->pnl_Name->setText(button->Caption());
    done(1);
}
