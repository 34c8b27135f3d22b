#include "documents/U618_TblOrdList.h"
#include "ui_U618_TblOrdList.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/PageGrid.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/uKV_DataModule.h"
#include "documents/DocumentCalls.h"
#include "platform/dataset/ControlsOff.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"
#include "shell/U403_Keyboard.h"

#include <QEvent>
#include <QLineEdit>
#include <QShowEvent>
#include <QStackedWidget>

TF618_TblOrdList *F618_TblOrdList = nullptr;

const QString TF618_TblOrdList::JumunFilter = QStringLiteral("(CKDATE = NULL OR CKDATE < '2000-01-01 12:00:00')");

TF618_TblOrdList::TF618_TblOrdList(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(std::make_unique<Ui::TF618_TblOrdList>())
{
    ui->setupUi(this);
    setFixedSize(1024, 768);


    cds_F4104 = NewRemoteCall(this, "cds_F4104", "dspStoredProc3", "GP_SELECT_F4104_SuppOrder_JumunSearch");
    cds_F4101_dt = NewRemoteCall(this, "cds_F4101_dt", "dspStoredProc5", "GP_SELECT_F4101_SuppOrder_DetailSearch");
    ShowAmountsOnOpen(*cds_F4104, {QStringLiteral("SHAMT")});
    ShowAmountsOnOpen(*cds_F4101_dt, {QStringLiteral("SDAMT")});

    // The "주 문" column shows how long ago the line was ordered.
    Field &ordered = DM->adt_TBLDTL->FieldByName(QStringLiteral("ORD_DT"));
    m_savedOrderText = ordered.OnGetText;
    ordered.OnGetText = [](const Field &field, bool) {
        return field.IsNull() ? QString() : TDM::ElapsedText(field.AsDateTime().msecsTo(os::Now()));
    };

    ui->mgd_TableJumunList->setDefaultRowHeight(24);
    ui->mgd_TableJumunList->setOptions(SingleSelectOptions);
    ui->mgd_TableJumunList->setDataSource(DM->ds_TBLDTL);
    AddGridColumn(ui->mgd_TableJumunList, "TableBenho", "No", 33);
    AddGridColumn(ui->mgd_TableJumunList, "TableName", "테이블", 95);
    AddGridColumn(ui->mgd_TableJumunList, "ORD_DT", "주 문", 53);
    AddGridColumn(ui->mgd_TableJumunList, "ITEM_NAME", "제   품   명", 240);
    AddGridColumn(ui->mgd_TableJumunList, "ITEM_QTY", "수량", 51);
    AddGridColumn(ui->mgd_TableJumunList, "TEMP3", "조리옵션", 120);
    AddGridColumn(ui->mgd_TableJumunList, "TableMemo", "메  모", 341);

    ui->grid_Supporderlist->setDefaultRowHeight(26);
    ui->grid_Supporderlist->setOptions(SingleSelectOptions);
    ui->grid_Supporderlist->setDataSource(cds_F4104);
    AddGridColumn(ui->grid_Supporderlist, "OBJUPE", "고객명", 105);
    AddGridColumn(ui->grid_Supporderlist, "OBJBDT", "접수일", 109);
    AddGridColumn(ui->grid_Supporderlist, "OBYEDT", "예약일", 109);
    AddGridColumn(ui->grid_Supporderlist, "SHAMT", "금 액", 150);

    ui->grid_SupporderDet->setDefaultRowHeight(26);
    ui->grid_SupporderDet->setOptions(SingleSelectOptions);
    ui->grid_SupporderDet->setDataSource(cds_F4101_dt);
    AddGridColumn(ui->grid_SupporderDet, "IMNAME", "제품명", 211);
    AddGridColumn(ui->grid_SupporderDet, "SDQTY", "수 량", 70);
    AddGridColumn(ui->grid_SupporderDet, "SDAMT", "금 액", 130);

    ui->edt_Deliveredsearch->setMaxLength(20);
    ui->edt_Receive->setMaxLength(5);
    ui->edt_Telephone->setMaxLength(11);

    connect(ui->btn_AllJumunList, &TMirelImgBtn::OnClick, this, [this] { btn_AllJumunListClick(); });
    connect(ui->btn_NapPum, &TMirelImgBtn::OnClick, this, [this] { btn_NapPumClick(); });
    connect(ui->btn_JumunOk, &TMirelImgBtn::OnClick, this, [this] { btn_JumunOkClick(); });
    connect(ui->btn_Search, &TMirelImgBtn::OnClick, this, [this] { btn_SearchClick(); });
    connect(ui->btnClose, &TMirelImgBtn::OnClick, this, [this] { done(2); });
    connect(ui->btn_Smoll, &TMirelImgBtn::OnClick, this, [this] { done(1); });
    connect(ui->grid_Supporderlist, &TMirelGrid::OnCellClick, this, [this] { grid_SupporderlistCellClick(); });
    ui->grid_Supporderlist->viewport()->installEventFilter(this);

    const auto pager = [this](TMirelImgBtn *button, TMirelGrid *grid, int rows) {
        connect(button, &TMirelImgBtn::OnClick, this, [button, grid, rows] { PageGrid(grid, button->Tag(), rows); });
    };
    pager(ui->btn_grid_TableOrdlistUp, ui->mgd_TableJumunList, TableOrderPage);
    pager(ui->btn_grid_TableOrdlistDown, ui->mgd_TableJumunList, TableOrderPage);
    pager(ui->btn_Up1, ui->grid_Supporderlist, OrderPage);
    pager(ui->btn_Down1, ui->grid_Supporderlist, OrderPage);
    pager(ui->btn_Up2, ui->grid_SupporderDet, LinePage);
    pager(ui->btn_Down2, ui->grid_SupporderDet, LinePage);
}

TF618_TblOrdList::~TF618_TblOrdList()
{
    if (F403_Keyboard && F403_Keyboard->TargetForm == this)
        F403_Keyboard->Close();
    if (DM) {
        DM->adt_TBLDTL->FieldByName(QStringLiteral("ORD_DT")).OnGetText = m_savedOrderText;
        ui->mgd_TableJumunList->setDataSource(nullptr);
    }
    if (F618_TblOrdList == this)
        F618_TblOrdList = nullptr;
}

void TF618_TblOrdList::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    ui->btn_AllJumunList->setDown(true);
    ui->pgc_TblOrdList->setCurrentIndex(0);
    ui->Panel15->show();
    ui->Panel5->hide();
    RefreshTableOrders();
}

void TF618_TblOrdList::RefreshTableOrders()
{
    LocalTable &orders = *DM->adt_TBLDTL;
    if (!orders.Active())
        return; // no local database
    // Read first: the table-order program may have written since the last read.
    orders.Refresh();
    if (orders.IsEmpty())
        return;
    DM->LoadJumunList();
    DM->adt_TBLCNF->Refresh(); // place names the other program added meanwhile
    DM->LoadTableName();
    DM->adt_TBLMMO->Refresh();
    orders.setFiltered(false);
    orders.setFilter(JumunFilter);
    orders.setFiltered(true);
    setMultiSelect(true);
}

void TF618_TblOrdList::setMultiSelect(bool on)
{
    ui->mgd_TableJumunList->setOptions(on ? MultiSelectOptions : SingleSelectOptions);
    ui->mgd_TableJumunList->setToggleSelect(on);
}

void TF618_TblOrdList::btn_AllJumunListClick()
{
    ui->pgc_TblOrdList->setCurrentIndex(0);
    closeKeyboard();
    ui->Panel15->show();
    ui->Panel5->hide();
    setMultiSelect(true);
}

void TF618_TblOrdList::btn_NapPumClick()
{
    ui->pgc_TblOrdList->setCurrentIndex(1);
    setMultiSelect(false);
    ui->Panel15->hide();
    ui->Panel5->show();
    ui->edt_Deliveredsearch->setFocus();
    showKeyboard();
    // Last: when the server fails, the page is complete and the search can
    // be repeated with btn_Search.
    btn_SearchClick();
}

void TF618_TblOrdList::btn_JumunOkClick()
{
    DataSet &orders = *DM->ds_TBLDTL;
    if (!orders.Active())
        return;
    // Confirmed lines leave the filtered view (and the selection): take the
    // list first.
    TBookmarkList &selected = ui->mgd_TableJumunList->SelectedRows();
    QList<Bookmark> marks;
    for (int i = 0; i < selected.Count(); ++i)
        marks << selected[i];
    // A line that could not be written stays unconfirmed and listed.
    const ControlsOff quiet(orders);
    for (const Bookmark &mark : marks) {
        if (!orders.BookmarkValid(mark))
            continue;
        orders.GotoBookmark(mark);
        orders.Edit();
        orders.FieldByName(QStringLiteral("CKDATE")).setAsDateTime(os::Now());
        orders.Post(); // writes CKDATE alone
    }
}

void TF618_TblOrdList::btn_SearchClick()
{
    cds_F4104->Close();
    Params &params = cds_F4104->Params();
    params.CreateParam(FieldType::String, QStringLiteral("COMPCODE")).setAsString(MyConfig.CompanyCode);
    params.CreateParam(FieldType::String, QStringLiteral("STORECODE")).setAsString(MyConfig.StoreCode);
    params.CreateParam(FieldType::String, QStringLiteral("edt_Deliveredsearch")).setAsString(ui->edt_Deliveredsearch->text());
    cds_F4104->Open();
    cds_F4104->First();
}

void TF618_TblOrdList::grid_SupporderlistCellClick()
{
    if (!cds_F4104->Active() || cds_F4104->IsEmpty()) {
        cds_F4101_dt->Close();
        return;
    }
    cds_F4101_dt->Close();
    Params &params = cds_F4101_dt->Params();
    params.CreateParam(FieldType::String, QStringLiteral("COMPCODE")).setAsString(MyConfig.CompanyCode);
    params.CreateParam(FieldType::String, QStringLiteral("STORECODE"))
        .setAsString(cds_F4104->FieldByName(QStringLiteral("SHBUUT")).AsString());
    params.CreateParam(FieldType::Integer, QStringLiteral("Edit2"))
        .setAsInteger(cds_F4104->FieldByName(QStringLiteral("SHNUMB")).AsInteger());
    params.CreateParam(FieldType::String, QStringLiteral("PosID"))
        .setAsString(cds_F4104->FieldByName(QStringLiteral("SHPOID")).AsString());
    params.CreateParam(FieldType::String, QStringLiteral("DATE"))
        .setAsString(cds_F4104->FieldByName(QStringLiteral("SHDATE")).AsString());
    cds_F4101_dt->Open();
}

void TF618_TblOrdList::grid_SupporderlistMouseUp()
{
    if (cds_F4104->Active() && !cds_F4104->IsEmpty()) {
        ui->edt_Receive->setText(cds_F4104->FieldByName(QStringLiteral("OBRPER")).AsString());
        ui->edt_Telephone->setText(cds_F4104->FieldByName(QStringLiteral("OBJUMB")).AsString());
        ui->edt_Memo->setText(cds_F4104->FieldByName(QStringLiteral("OBBIGO")).AsString());
    } else {
        ui->edt_Receive->clear();
        ui->edt_Telephone->clear();
        ui->edt_Memo->clear();
    }
}

bool TF618_TblOrdList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->grid_Supporderlist->viewport() && event->type() == QEvent::MouseButtonRelease)
        grid_SupporderlistMouseUp();
    return QDialog::eventFilter(watched, event);
}

void TF618_TblOrdList::done(int result)
{
    closeKeyboard();
    setMultiSelect(false);
    if (DM)
        DM->adt_TBLDTL->setFiltered(false);
    QDialog::done(result);
}

void TF618_TblOrdList::showKeyboard()
{
    // The wide layout, at this window's left and KeyboardTop below its top,
    // typing into this window.
    if (F403_Keyboard)
        F403_Keyboard->Show(this, 0, pos() + QPoint(0, KeyboardTop));
}

void TF618_TblOrdList::closeKeyboard()
{
    if (F403_Keyboard)
        F403_Keyboard->Close();
}
