#include "documents/U652_EdOrder.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/PageGrid.h"
#include "core/MyConfig.h"
#include "shell/RemoteCall.h"
#include "core/ProgramRights.h"
#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "core/uKV_Common_Vat.h"
#include "core/uKV_DataModule.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QTimeEdit>

TF652_EdOrder *F652_EdOrder = nullptr;

namespace {

const QString kAllPartners = QStringLiteral("99999999");
const QString kGatheredPattern = QStringLiteral("복합패턴");
const QString kOrderProgram = QStringLiteral("F20_PURCHASEENTRY");
constexpr int kActionTag = 802;
constexpr int kGridOptions = 868; // titles, lines, row select, always show selection

QLineEdit *makeAmountEdit(QWidget *parent, const char *name, const QRect &at)
{
    auto *e = new QLineEdit(QStringLiteral("0"), parent);
    e->setObjectName(QLatin1String(name));
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    e->setEnabled(false);
    e->setGeometry(at);
    return e;
}

QLabel *makeLabel(QWidget *parent, const char *text, const QRect &at, int pointSize = 12)
{
    auto *l = new QLabel(QString::fromUtf8(text), parent);
    QFont f = l->font();
    f.setPointSize(pointSize);
    f.setBold(true);
    l->setFont(f);
    l->setGeometry(at);
    return l;
}

// Shows the amounts of the order data sets with thousands separators.
void formatAmounts(ClientDataSet *cds, QStringList fields)
{
    cds->AfterOpen = [fields](DataSet &ds) {
        for (const QString &name : fields)
            if (Field *f = ds.FindField(name))
                f->setDisplayFormat(QStringLiteral("#,##0"));
    };
}

} // namespace

TF652_EdOrder::TF652_EdOrder(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("F652_EdOrder"));
    setWindowTitle(QStringLiteral("패턴 발주"));
    setFixedSize(1024, 768);
    setStyleSheet(QStringLiteral("TF652_EdOrder { background: #eef1f6; }"));

    auto *title = makeLabel(this, "발주내역", QRect(20, 10, 300, 40), 20);
    title->setObjectName(QStringLiteral("lbl_Title"));
    btn_Minimize = NewImgBtn(this, "btn_Minimize", "_", 0, QRect(920, 10, 44, 40));
    btn_Close = NewImgBtn(this, "btn_Close", "X", -1, QRect(970, 10, 44, 40));

    makeLabel(this, "납품희망일", QRect(20, 62, 110, 36));
    date_Wantdate = new QDateEdit(this);
    date_Wantdate->setObjectName(QStringLiteral("date_Wantdate"));
    date_Wantdate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    date_Wantdate->setCalendarPopup(true);
    date_Wantdate->setGeometry(130, 62, 200, 36);
    time_Wanttime = new QTimeEdit(this);
    time_Wanttime->setObjectName(QStringLiteral("time_Wanttime"));
    time_Wanttime->setGeometry(340, 62, 110, 36);
    time_Wanttime->hide(); // set at showing, never used

    grid_Petenlist = new TMirelGrid(this);
    grid_Petenlist->setObjectName(QStringLiteral("grid_Petenlist"));
    grid_Petenlist->setGeometry(20, 108, 360, 560);
    btn_PetenlistUp = NewImgBtn(this, "btn_PetenlistUp", "▲", kPageUpTag, QRect(20, 676, 176, 50));
    btn_PetenlistDown = NewImgBtn(this, "btn_PetenlistDown", "▼", kPageDownTag, QRect(204, 676, 176, 50));

    grid_Regorderlist = new TMirelGrid(this);
    grid_Regorderlist->setObjectName(QStringLiteral("grid_Regorderlist"));
    grid_Regorderlist->setGeometry(392, 62, 560, 606);
    btn_RegorderlistUp = NewImgBtn(this, "btn_RegorderlistUp", "▲", kPageUpTag, QRect(960, 62, 54, 296));
    btn_RegorderlistDown = NewImgBtn(this, "btn_RegorderlistDown", "▼", kPageDownTag, QRect(960, 372, 54, 296));

    makeLabel(this, "공급가액", QRect(392, 680, 80, 40));
    edt_BaljuGong = makeAmountEdit(this, "edt_BaljuGong", QRect(472, 680, 130, 40));
    makeLabel(this, "V.A.T", QRect(612, 680, 60, 40));
    edt_BaljuVAT = makeAmountEdit(this, "edt_BaljuVAT", QRect(672, 680, 110, 40));
    edt_BaljuSum = makeAmountEdit(this, "edt_BaljuSum", QRect(0, 0, 10, 10));
    edt_BaljuSum->hide();
    CMB_ADNB = new QComboBox(this);
    CMB_ADNB->setObjectName(QStringLiteral("CMB_ADNB"));
    CMB_ADNB->setEditable(true);
    CMB_ADNB->setEditText(kAllPartners);
    CMB_ADNB->hide();

    btn_d = NewImgBtn(this, "btn_d", "삭제", kActionTag, QRect(792, 676, 70, 50));
    BTN_edit = NewImgBtn(this, "BTN_edit", "수 정", kActionTag, QRect(868, 676, 70, 50));
    BTN_Cls = NewImgBtn(this, "BTN_Cls", "닫 기", kActionTag, QRect(944, 676, 70, 50));

    cds_F2100_pat = NewRemoteCall(this, "cds_F2100_pat", "dspStoredProc2", "[GP_SELECT_F2100_RegOrderpatSearch]");
    cds_F2101_det = NewRemoteCall(this, "cds_F2101_det", "dspStoredProc3", "[GP_SELECT_F2101_POPUPPURCHASE]");
    cds_F2100_BaljuDel = NewRemoteCall(this, "cds_F2100_BaljuDel", "dspStoredProc11", "[GP_DELETE_F2100_PURCHASEENTRY]");
    formatAmounts(cds_F2101_det, {QStringLiteral("PDUPRC"), QStringLiteral("PDAMT")});
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
}

void TF652_EdOrder::LoadOrders()
{
    // Lines of an order of another date must not travel with this date's rows.
    clearTouched();
    cds_F2100_pat->Close();
    Params &params = cds_F2100_pat->Params();
    params.CreateParam(FieldType::String, QStringLiteral("COMPCODE")).setAsString(MyConfig.CompanyCode);
    params.CreateParam(FieldType::String, QStringLiteral("STORECODE")).setAsString(MyConfig.StoreCode);
    params.CreateParam(FieldType::String, QStringLiteral("orderdate"))
        .setAsString(date_Wantdate->date().toString(QStringLiteral("yyyyMMdd")));
    cds_F2100_pat->Open();
}

void TF652_EdOrder::grid_PetenlistCellClick()
{
    if (!cds_F2100_pat->Active() || cds_F2100_pat->IsEmpty())
        return;
    const QString month = cds_F2100_pat->FieldByName(QStringLiteral("PHMONTH")).AsString();
    const qint64 number = cds_F2100_pat->FieldByName(QStringLiteral("PHNUMB")).AsInteger();
    clearTouched();
    Params &params = cds_F2101_det->Params();
    params.CreateParam(FieldType::String, QStringLiteral("A_CMCD")).setAsString(MyConfig.CompanyCode);
    params.CreateParam(FieldType::String, QStringLiteral("A_BUUT")).setAsString(MyConfig.StoreCode);
    params.CreateParam(FieldType::String, QStringLiteral("A_MONTH")).setAsString(month);
    params.CreateParam(FieldType::Integer, QStringLiteral("A_NUMB")).setAsInteger(number);
    params.CreateParam(FieldType::String, QStringLiteral("a_gubun")).setAsString(QStringLiteral("1"));
    cds_F2101_det->Open();
    m_touched = {month, number};
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
    Params &params = cds_F2100_BaljuDel->Params();
    params.CreateParam(FieldType::String, QStringLiteral("PHCMCD")).setAsString(MyConfig.CompanyCode);
    params.CreateParam(FieldType::String, QStringLiteral("PHBUUT")).setAsString(MyConfig.StoreCode);
    params.CreateParam(FieldType::String, QStringLiteral("PHMONTH")).setAsString(month);
    params.CreateParam(FieldType::Integer, QStringLiteral("PHNUMB")).setAsInteger(number);
    params.CreateParam(FieldType::String, QStringLiteral("WORK")).setAsString(MyConfig.UIADNB);
    params.CreateParam(FieldType::String, QStringLiteral("PGID")).setAsString(QStringLiteral("F652_EdOrder"));
    cds_F2100_BaljuDel->Execute(); // a refusal raises to the error box; the list stays as it was
    LoadOrders();
}
