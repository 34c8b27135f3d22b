#include "documents/U652_EdOrder.h"
#include "ui_U652_EdOrder.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/PageGrid.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "core/uKV_DataModule.h"
#include "documents/DocumentCalls.h"
#include "platform/dataset/ControlsOff.h"
#include "documents/DocumentRights.h"
#include "platform/dataset/Vat.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QShowEvent>
#include <QTimeEdit>

TF652_EdOrder *F652_EdOrder = nullptr;

namespace {

const QString kAllPartners = QStringLiteral("99999999");
const QString kGatheredPattern = QStringLiteral("복합패턴");
const QString kOrderProgram = QStringLiteral("F20_PURCHASEENTRY");
constexpr int kGridOptions = 868; // titles, lines, row select, always show selection

} // namespace

TF652_EdOrder::TF652_EdOrder(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(std::make_unique<Ui::TF652_EdOrder>())
{
    ui->setupUi(this);
    setFixedSize(1024, 768);
    ui->CMB_ADNB->setEditText(kAllPartners);

    cds_F2100_pat = NewRemoteCall(this, "cds_F2100_pat", "dspStoredProc2", "[GP_SELECT_F2100_RegOrderpatSearch]");
    cds_F2101_det = NewRemoteCall(this, "cds_F2101_det", "dspStoredProc3", "[GP_SELECT_F2101_POPUPPURCHASE]");
    cds_F2100_BaljuDel = NewRemoteCall(this, "cds_F2100_BaljuDel", "dspStoredProc11", "[GP_DELETE_F2100_PURCHASEENTRY]");
    ShowAmountsOnOpen(*cds_F2101_det, {QStringLiteral("PDUPRC"), QStringLiteral("PDAMT")});
    cds_F2100_pat->AfterOpen = [](DataSet &ds) {
        if (Field *f = ds.FindField(QStringLiteral("phdate")))
            f->setDisplayFormat(QStringLiteral("mm-dd"));
    };

    ui->grid_Petenlist->setOptions(kGridOptions);
    ui->grid_Petenlist->setDefaultRowHeight(OrderRowHeight);
    ui->grid_Petenlist->setDataSource(cds_F2100_pat);
    AddGridColumn(ui->grid_Petenlist, "phdate", "일자", 74);
    AddGridColumn(ui->grid_Petenlist, "AHNAME", "패턴명", 155);
    AddGridColumn(ui->grid_Petenlist, "absnam", "거래처명", 97);
    m_selectedCell = ui->grid_Petenlist->ColorSelectedCell();
    m_selectedFont = ui->grid_Petenlist->ColorSelectedFont();

    ui->grid_Regorderlist->setOptions(kGridOptions);
    ui->grid_Regorderlist->setDefaultRowHeight(LineRowHeight);
    ui->grid_Regorderlist->setDataSource(cds_F2101_det);
    AddGridColumn(ui->grid_Regorderlist, "pDSEQ", "No", 34);
    AddGridColumn(ui->grid_Regorderlist, "IMNAME", "품명", 150);
    AddGridColumn(ui->grid_Regorderlist, "SIZE", "규격", 60);
    AddGridColumn(ui->grid_Regorderlist, "pDQTY", "수량", 56);
    AddGridColumn(ui->grid_Regorderlist, "pDUNIT", "단위", 44);
    AddGridColumn(ui->grid_Regorderlist, "pDUPRC", "단가", 70);
    AddGridColumn(ui->grid_Regorderlist, "pDAMT", "금액", 80);
    AddGridColumn(ui->grid_Regorderlist, "PDITNB", "PDITNB", 0);

    connect(ui->date_Wantdate, &QDateEdit::dateChanged, this, [this] {
        if (m_shown)
            LoadOrders();
    });
    connect(ui->grid_Petenlist, &TMirelGrid::OnCellClick, this, [this] { grid_PetenlistCellClick(); });
    connect(ui->BTN_edit, &TMirelImgBtn::OnClick, this, [this] { BTN_editClick(); });
    connect(ui->btn_d, &TMirelImgBtn::OnClick, this, [this] { btn_dClick(); });
    connect(ui->BTN_Cls, &TMirelImgBtn::OnClick, this, [this] { reject(); });
    connect(ui->btn_Close, &TMirelImgBtn::OnClick, this, [this] { reject(); });
    connect(ui->btn_Minimize, &TMirelImgBtn::OnClick, this, [this] {
        if (QWidget *main = parentWidget() ? parentWidget()->window() : nullptr)
            main->showMinimized();
    });
    connect(ui->btn_PetenlistUp, &TMirelImgBtn::OnClick, this, [this] { PageGrid(ui->grid_Petenlist, kPageUpTag, OrderPage()); });
    connect(ui->btn_PetenlistDown, &TMirelImgBtn::OnClick, this,
            [this] { PageGrid(ui->grid_Petenlist, kPageDownTag, OrderPage()); });
    connect(ui->btn_RegorderlistUp, &TMirelImgBtn::OnClick, this,
            [this] { PageGrid(ui->grid_Regorderlist, kPageUpTag, LinePage); });
    connect(ui->btn_RegorderlistDown, &TMirelImgBtn::OnClick, this,
            [this] { PageGrid(ui->grid_Regorderlist, kPageDownTag, LinePage); });
}

TF652_EdOrder::~TF652_EdOrder()
{
    if (F652_EdOrder == this)
        F652_EdOrder = nullptr;
}

int TF652_EdOrder::OrderPage() const
{
    // The data rows under the title row.
    return qMax(1, ui->grid_Petenlist->height() / OrderRowHeight - 1);
}

void TF652_EdOrder::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || m_shown)
        return;
    const QDateTime now = os::Now();
    ui->date_Wantdate->setDate(now.date());
    ui->time_Wanttime->setTime(now.time()); // set at showing, never used
    m_shown = true;
    LoadOrders();
}

void TF652_EdOrder::clearTouched()
{
    cds_F2101_det->Close();
    m_touched.clear();
    ui->CMB_ADNB->setEditText(kAllPartners);
    ui->edt_BaljuSum->setText(QStringLiteral("0"));
    ui->edt_BaljuGong->setText(QStringLiteral("0"));
    ui->edt_BaljuVAT->setText(QStringLiteral("0"));
    markTouchedRow(false);
}

// Only a touched order is handed back with its lines, so the list shows no
// chosen row until the user touches one.
void TF652_EdOrder::markTouchedRow(bool touched)
{
    ui->grid_Petenlist->setColorSelectedCell(touched ? m_selectedCell : ui->grid_Petenlist->Color());
    ui->grid_Petenlist->setColorSelectedFont(touched ? m_selectedFont : ui->grid_Petenlist->FontColor());
}

void TF652_EdOrder::LoadOrders()
{
    // Lines of an order of another date must not travel with this date's rows.
    clearTouched();
    cds_F2100_pat->Close();
    SetTextParam(*cds_F2100_pat, "COMPCODE", MyConfig.CompanyCode);
    SetTextParam(*cds_F2100_pat, "STORECODE", MyConfig.StoreCode);
    SetTextParam(*cds_F2100_pat, "orderdate", ui->date_Wantdate->date().toString(QStringLiteral("yyyyMMdd")));
    cds_F2100_pat->Open();
}

void TF652_EdOrder::grid_PetenlistCellClick()
{
    if (!cds_F2100_pat->Active() || cds_F2100_pat->IsEmpty())
        return;
    const QString month = cds_F2100_pat->FieldByName(QStringLiteral("PHMONTH")).AsString();
    const qint64 number = cds_F2100_pat->FieldByName(QStringLiteral("PHNUMB")).AsInteger();
    clearTouched();
    SetTextParam(*cds_F2101_det, "A_CMCD", MyConfig.CompanyCode);
    SetTextParam(*cds_F2101_det, "A_BUUT", MyConfig.StoreCode);
    SetTextParam(*cds_F2101_det, "A_MONTH", month);
    SetParam(*cds_F2101_det, FieldType::Integer, "A_NUMB", number);
    SetTextParam(*cds_F2101_det, "a_gubun", QStringLiteral("1"));
    cds_F2101_det->Open();
    m_touched = {month, number};
    markTouchedRow(true);
    ui->CMB_ADNB->setEditText(cds_F2100_pat->FieldByName(QStringLiteral("PHadnb")).AsString());
    showTotals(cds_F2100_pat->FieldByName(QStringLiteral("PHtxgu")).AsString());
}

void TF652_EdOrder::showTotals(const QString &taxKind)
{
    Currency total;
    {
        const ControlsOff quiet(*cds_F2101_det);
        for (cds_F2101_det->First(); !cds_F2101_det->Eof(); cds_F2101_det->Next())
            total += cds_F2101_det->FieldByName(QStringLiteral("PDAMT")).AsCurrency();
        cds_F2101_det->First();
    }

    const QString sum = FormatAmount(Currency(total.Trunc()));
    ui->edt_BaljuSum->setText(sum);
    if (sum == QStringLiteral("0")) {
        ui->edt_BaljuGong->setText(sum);
        ui->edt_BaljuVAT->setText(sum);
        return;
    }
    // An unknown tax kind splits like a VAT-exempt one, never keeping the
    // previous order's figures.
    const VatSplit split = SplitVat(total, taxKind.trimmed());
    ui->edt_BaljuGong->setText(FormatAmount(Currency(split.supply)));
    ui->edt_BaljuVAT->setText(FormatAmount(Currency(split.vat)));
}

void TF652_EdOrder::BTN_editClick()
{
    if (cds_F2100_pat->Active() && !cds_F2100_pat->IsEmpty()) {
        // The caller reads the current row: make it the touched order again.
        if (!m_touched.isEmpty())
            cds_F2100_pat->Locate(QStringLiteral("PHMONTH;PHNUMB"), m_touched);
        if (cds_F2100_pat->FieldByName(QStringLiteral("AHNAME")).AsString() == kGatheredPattern)
            ShowMessageBox(QStringLiteral("복합패턴은 자료를 추가 할수 없습니다.."), mkNotice, 3000);
    }
    done(1);
}

// Deletes the touched order, the one whose lines are shown: the list marks no
// row until one is touched, and paging moves its current row elsewhere.
void TF652_EdOrder::btn_dClick()
{
    if (!cds_F2100_pat->Active() || cds_F2100_pat->IsEmpty())
        return;
    if (m_touched.isEmpty()) {
        ShowMessageBox(QStringLiteral("삭제할 발주내역을 선택하십시오."), mkNotice, 2000);
        return;
    }
    if (!HasDeleteRight(kOrderProgram))
        return;
    if (AskMessageBox(QStringLiteral("발주내역을 삭제 하시겠습니까?"), mkOkCancel) != mrYes)
        return;
    const QString month = m_touched.value(0).toString();
    const qint64 number = m_touched.value(1).toLongLong();
    SetTextParam(*cds_F2100_BaljuDel, "PHCMCD", MyConfig.CompanyCode);
    SetTextParam(*cds_F2100_BaljuDel, "PHBUUT", MyConfig.StoreCode);
    SetTextParam(*cds_F2100_BaljuDel, "PHMONTH", month);
    SetParam(*cds_F2100_BaljuDel, FieldType::Integer, "PHNUMB", number);
    SetTextParam(*cds_F2100_BaljuDel, "WORK", MyConfig.UIADNB);
    SetTextParam(*cds_F2100_BaljuDel, "PGID", QStringLiteral("F652_EdOrder"));
    cds_F2100_BaljuDel->Execute(); // a refusal raises to the error box; the list stays as it was
    LoadOrders();
}
