#include "documents/U652_EdOrder.h"
#include "ui_U652_EdOrder.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/PageGrid.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/ProgramRights.h"
#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "core/uKV_DataModule.h"
#include "documents/DocumentCalls.h"
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
    date_Wantdate = ui->date_Wantdate;
    time_Wanttime = ui->time_Wanttime; // set at showing, never used
    grid_Petenlist = ui->grid_Petenlist;
    grid_Regorderlist = ui->grid_Regorderlist;
    edt_BaljuGong = ui->edt_BaljuGong;
    edt_BaljuVAT = ui->edt_BaljuVAT;
    edt_BaljuSum = ui->edt_BaljuSum;
    CMB_ADNB = ui->CMB_ADNB;
    BTN_edit = ui->BTN_edit;
    BTN_Cls = ui->BTN_Cls;
    btn_d = ui->btn_d;
    btn_PetenlistUp = ui->btn_PetenlistUp;
    btn_PetenlistDown = ui->btn_PetenlistDown;
    btn_RegorderlistUp = ui->btn_RegorderlistUp;
    btn_RegorderlistDown = ui->btn_RegorderlistDown;
    btn_Close = ui->btn_Close;
    btn_Minimize = ui->btn_Minimize;
    CMB_ADNB->setEditText(kAllPartners);

    cds_F2100_pat = NewRemoteCall(this, "cds_F2100_pat", "dspStoredProc2", "[GP_SELECT_F2100_RegOrderpatSearch]");
    cds_F2101_det = NewRemoteCall(this, "cds_F2101_det", "dspStoredProc3", "[GP_SELECT_F2101_POPUPPURCHASE]");
    cds_F2100_BaljuDel = NewRemoteCall(this, "cds_F2100_BaljuDel", "dspStoredProc11", "[GP_DELETE_F2100_PURCHASEENTRY]");
    ShowAmountsOnOpen(*cds_F2101_det, {QStringLiteral("PDUPRC"), QStringLiteral("PDAMT")});
    cds_F2100_pat->AfterOpen = [](DataSet &ds) {
        if (Field *f = ds.FindField(QStringLiteral("phdate")))
            f->setDisplayFormat(QStringLiteral("mm-dd"));
    };

    grid_Petenlist->setOptions(kGridOptions);
    grid_Petenlist->setDefaultRowHeight(OrderRowHeight);
    grid_Petenlist->setDataSource(cds_F2100_pat);
    AddGridColumn(grid_Petenlist, "phdate", "일자", 74);
    AddGridColumn(grid_Petenlist, "AHNAME", "패턴명", 155);
    AddGridColumn(grid_Petenlist, "absnam", "거래처명", 97);
    m_selectedCell = grid_Petenlist->ColorSelectedCell();
    m_selectedFont = grid_Petenlist->ColorSelectedFont();

    grid_Regorderlist->setOptions(kGridOptions);
    grid_Regorderlist->setDefaultRowHeight(LineRowHeight);
    grid_Regorderlist->setDataSource(cds_F2101_det);
    AddGridColumn(grid_Regorderlist, "pDSEQ", "No", 34);
    AddGridColumn(grid_Regorderlist, "IMNAME", "품명", 150);
    AddGridColumn(grid_Regorderlist, "SIZE", "규격", 60);
    AddGridColumn(grid_Regorderlist, "pDQTY", "수량", 56);
    AddGridColumn(grid_Regorderlist, "pDUNIT", "단위", 44);
    AddGridColumn(grid_Regorderlist, "pDUPRC", "단가", 70);
    AddGridColumn(grid_Regorderlist, "pDAMT", "금액", 80);
    AddGridColumn(grid_Regorderlist, "PDITNB", "PDITNB", 0);

    connect(date_Wantdate, &QDateEdit::dateChanged, this, [this] {
        if (m_shown)
            LoadOrders();
    });
    connect(grid_Petenlist, &TMirelGrid::OnCellClick, this, [this] { grid_PetenlistCellClick(); });
    connect(BTN_edit, &TMirelImgBtn::OnClick, this, [this] { BTN_editClick(); });
    connect(btn_d, &TMirelImgBtn::OnClick, this, [this] { btn_dClick(); });
    connect(BTN_Cls, &TMirelImgBtn::OnClick, this, [this] { reject(); });
    connect(btn_Close, &TMirelImgBtn::OnClick, this, [this] { reject(); });
    connect(btn_Minimize, &TMirelImgBtn::OnClick, this, [this] {
        if (QWidget *main = parentWidget() ? parentWidget()->window() : nullptr)
            main->showMinimized();
    });
    connect(btn_PetenlistUp, &TMirelImgBtn::OnClick, this, [this] { PageGrid(grid_Petenlist, kPageUpTag, OrderPage()); });
    connect(btn_PetenlistDown, &TMirelImgBtn::OnClick, this,
            [this] { PageGrid(grid_Petenlist, kPageDownTag, OrderPage()); });
    connect(btn_RegorderlistUp, &TMirelImgBtn::OnClick, this,
            [this] { PageGrid(grid_Regorderlist, kPageUpTag, LinePage); });
    connect(btn_RegorderlistDown, &TMirelImgBtn::OnClick, this,
            [this] { PageGrid(grid_Regorderlist, kPageDownTag, LinePage); });
}

TF652_EdOrder::~TF652_EdOrder()
{
    if (F652_EdOrder == this)
        F652_EdOrder = nullptr;
}

int TF652_EdOrder::OrderPage() const
{
    // The data rows under the title row.
    return qMax(1, grid_Petenlist->height() / OrderRowHeight - 1);
}

void TF652_EdOrder::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || m_shown)
        return;
    const QDateTime now = os::Now();
    date_Wantdate->setDate(now.date());
    time_Wanttime->setTime(now.time());
    m_shown = true;
    LoadOrders();
}

void TF652_EdOrder::clearTouched()
{
    cds_F2101_det->Close();
    m_touched.clear();
    CMB_ADNB->setEditText(kAllPartners);
    edt_BaljuSum->setText(QStringLiteral("0"));
    edt_BaljuGong->setText(QStringLiteral("0"));
    edt_BaljuVAT->setText(QStringLiteral("0"));
    markTouchedRow(false);
}

// Only a touched order is handed back with its lines, so the list shows no
// chosen row until the user touches one.
void TF652_EdOrder::markTouchedRow(bool touched)
{
    grid_Petenlist->setColorSelectedCell(touched ? m_selectedCell : grid_Petenlist->Color());
    grid_Petenlist->setColorSelectedFont(touched ? m_selectedFont : grid_Petenlist->FontColor());
}

void TF652_EdOrder::LoadOrders()
{
    // Lines of an order of another date must not travel with this date's rows.
    clearTouched();
    cds_F2100_pat->Close();
    SetTextParam(*cds_F2100_pat, "COMPCODE", MyConfig.CompanyCode);
    SetTextParam(*cds_F2100_pat, "STORECODE", MyConfig.StoreCode);
    SetTextParam(*cds_F2100_pat, "orderdate", date_Wantdate->date().toString(QStringLiteral("yyyyMMdd")));
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
    CMB_ADNB->setEditText(cds_F2100_pat->FieldByName(QStringLiteral("PHadnb")).AsString());
    showTotals(cds_F2100_pat->FieldByName(QStringLiteral("PHtxgu")).AsString());
}

void TF652_EdOrder::showTotals(const QString &taxKind)
{
    Currency total;
    cds_F2101_det->DisableControls();
    for (cds_F2101_det->First(); !cds_F2101_det->Eof(); cds_F2101_det->Next())
        total += cds_F2101_det->FieldByName(QStringLiteral("PDAMT")).AsCurrency();
    cds_F2101_det->First();
    cds_F2101_det->EnableControls();

    const QString sum = FormatAmount(Currency(total.Trunc()));
    edt_BaljuSum->setText(sum);
    if (sum == QStringLiteral("0")) {
        edt_BaljuGong->setText(sum);
        edt_BaljuVAT->setText(sum);
        return;
    }
    // An unknown tax kind splits like a VAT-exempt one, never keeping the
    // previous order's figures.
    const VatSplit split = SplitVat(total, taxKind.trimmed());
    edt_BaljuGong->setText(FormatAmount(Currency(split.supply)));
    edt_BaljuVAT->setText(FormatAmount(Currency(split.vat)));
}

void TF652_EdOrder::BTN_editClick()
{
    if (cds_F2100_pat->Active() && !cds_F2100_pat->IsEmpty()) {
        // The caller reads the current row: make it the touched order again.
        if (!m_touched.isEmpty())
            cds_F2100_pat->Locate(QStringLiteral("PHMONTH;PHNUMB"), m_touched);
        if (cds_F2100_pat->FieldByName(QStringLiteral("AHNAME")).AsString() == kGatheredPattern)
            ShowMessageBox(QStringLiteral("복합패턴은 자료를 추가 할수 없습니다.."), 2, 3000);
    }
    done(1);
}

void TF652_EdOrder::btn_dClick()
{
    if (!cds_F2100_pat->Active() || cds_F2100_pat->IsEmpty())
        return;
    DataSet *rights = ProgramRights();
    if (!rights || !rights->Active() || !rights->Locate(QStringLiteral("slpgid"), kOrderProgram)
        || !rights->FieldByName(QStringLiteral("deau")).AsBoolean()) {
        ShowMessageBox(QStringLiteral("삭제 권한이 없습니다."), 2, 2000);
        return;
    }
    if (AskMessageBox(QStringLiteral("발주내역을 삭제 하시겠습니까?"), 1) != mrYes)
        return;
    const QString month = cds_F2100_pat->FieldByName(QStringLiteral("PHMONTH")).AsString();
    const qint64 number = cds_F2100_pat->FieldByName(QStringLiteral("phnumb")).AsInteger();
    SetTextParam(*cds_F2100_BaljuDel, "PHCMCD", MyConfig.CompanyCode);
    SetTextParam(*cds_F2100_BaljuDel, "PHBUUT", MyConfig.StoreCode);
    SetTextParam(*cds_F2100_BaljuDel, "PHMONTH", month);
    SetParam(*cds_F2100_BaljuDel, FieldType::Integer, "PHNUMB", number);
    SetTextParam(*cds_F2100_BaljuDel, "WORK", MyConfig.UIADNB);
    SetTextParam(*cds_F2100_BaljuDel, "PGID", QStringLiteral("F652_EdOrder"));
    cds_F2100_BaljuDel->Execute(); // a refusal raises to the error box; the list stays as it was
    LoadOrders();
}
