#include "documents/U10051_deliver.h"
#include "shell/MenuTags.h"
#include "ui_U10051_deliver.h"
#include "ui_U651_Susin.h"
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
#include "documents/DocumentLines.h"
#include "documents/DocumentRights.h"
#include "documents/PatternLines.h"
#include "documents/SupplierCombos.h"
#include "documents/U651_Susin.h"
#include "documents/U652_EdOrder.h"
#include "documents/UnitChooser.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>


TF10051_deliver *F10051_deliver = nullptr;

namespace {

const QString kProgramId = QStringLiteral("F30_DELIVERYENTRY");
const QString kFormName = QStringLiteral("F10051_deliver");
const QString kAllPartners = QStringLiteral("99999999");
// Our field of the work lines: the month of the received order a line came
// from (empty for pattern and placed-order lines).
const QString kOrderMonth = QStringLiteral("SUMONTH");
// The log texts of a failed line read: a received order's, a pattern's or a
// placed order's.
const QString kOrderLinesError = QStringLiteral("F1005_Release.cds_F2401_det Error:");
const QString kPatternLinesError = QStringLiteral("TF652_RegOrder.grid_PetenlistCellClick Error:");
constexpr int kLineFont = 17; // rows of about 24 pixels: 27 to a page
constexpr int kListFont = 11; // the "yyyy-mm-dd" dates fit their columns

// The rows follow the grid's font (text height + 3, + the row line); its size
// is in pixels, which the layout's fonts cannot carry.
void setUpGrid(TMirelGrid *g, int fontPixels, int options)
{
    g->setOptions(options);
    QFont f = g->font();
    f.setPixelSize(fontPixels);
    g->setFont(f);
}

// The parameters of the insert procedure's shared list, header and line,
// declared once and null until a call sets them; a call keeps what an
// earlier call set and the server reads only those of the row kind.
void declareInsertParams(ClientDataSet &cds)
{
    struct Decl {
        const char *name;
        FieldType type;
    };
    using FT = FieldType;
    static const Decl decls[] = {
        {"A_GUBUN", FT::SmallInt},     {"A_DHCMCD", FT::String},      {"A_DHBUUT", FT::String},
        {"A_DHMONTH", FT::String},     {"A_DHNUMB", FT::Integer},     {"A_DHYEAR", FT::String},
        {"A_DHDATE", FT::String},      {"A_DHADNB", FT::String},      {"A_DHCHTY", FT::String},
        {"A_DHKSGU", FT::String},      {"A_DHTXGU", FT::String},      {"A_DHGAMT", FT::Integer},
        {"A_DHTAX", FT::Integer},      {"A_DHAMT", FT::Integer},      {"A_DHDAMT", FT::Integer},
        {"A_DHGEFL", FT::Boolean},     {"A_DHSBFL", FT::Boolean},     {"A_DHSEME", FT::String},
        {"A_DHBIGO", FT::String},      {"A_DHPOID", FT::String},      {"A_DHCHDA", FT::String},
        {"A_DHCHYI", FT::String},      {"A_DHBARS", FT::String},      {"A_DHpdfl", FT::Boolean},
        {"A_DHKEMONTH", FT::String},   {"A_DHKENUMB", FT::Integer},   {"A_DHKMMONTH", FT::String},
        {"A_DHKMNUMB", FT::Integer},   {"A_DHWORK", FT::String},      {"A_DHPGID", FT::String},
        {"A_dhlinb", FT::String},      {"A_DHibbuut_rt", FT::String}, {"A_DHIBMONTH_rt", FT::String},
        {"A_DhIBNUMB_rt", FT::Integer}, {"A_Dhiblinb", FT::String},   {"A_DDCMCD", FT::String},
        {"A_DDBUUT", FT::String},      {"A_DDMONTH", FT::String},     {"A_DDNUMB", FT::Integer},
        {"A_DDSEQ", FT::Integer},      {"A_DDITNB", FT::String},      {"A_DDBAR", FT::String},
        {"A_DDRFID", FT::String},      {"A_DDLINB", FT::String},      {"A_DDUNIT", FT::String},
        {"A_DDQTY", FT::Float},        {"A_DDUPRC", FT::Integer},     {"A_DDAMT", FT::Integer},
        {"A_DDBDAN", FT::String},      {"A_DDMDAN", FT::String},      {"A_DDLDAN", FT::String},
        {"A_DDMQTY", FT::Float},       {"A_DDSQTY", FT::Float},       {"A_DDMCAL", FT::Float},
        {"A_DDIBMONTH", FT::String},   {"A_DDIBNUMB", FT::Integer},   {"A_DDIBSEQ", FT::Integer},
        {"A_DDSUMONTH", FT::String},   {"A_DDSUNUMB", FT::Integer},   {"A_DDSUSEQ", FT::Integer},
        {"A_DDWORK", FT::String},      {"A_DDPGID", FT::String},      {"A_DDgamt", FT::Integer},
        {"A_DDtax", FT::Integer},      {"A_DDldangb", FT::String},    {"A_DDTXGU", FT::String},
        {"a_edflyn", FT::String},
    };
    for (const Decl &d : decls)
        cds.Params().CreateParam(d.type, QLatin1String(d.name));
}

bool hasQuantity(const DataSet &lines)
{
    const Field &qty = lines.FieldByName(QStringLiteral("ADQTY"));
    return !qty.IsNull() && qty.AsFloat() != 0;
}

} // namespace

TF10051_deliver::TF10051_deliver(QWidget *parent)
    : TWorkScreen(MenuTag::Deliver, parent), ui(std::make_unique<Ui::TF10051_deliver>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("F10051_deliver"));
    setFixedSize(ScreenWidth, ScreenHeight);
    bindMenuButton(ui->btn_AllMenuView);

    // Work lines.
    VTB_PATTERNBALJU = new DataSet(this);
    VTB_PATTERNBALJU->setObjectName(QStringLiteral("VTB_PATTERNBALJU"));
    VTB_PATTERNBALJU->AddFields(PatternLineFields());
    VTB_PATTERNBALJU->AddField(kOrderMonth, FieldType::String, 6);
    VTB_PATTERNBALJU->Open();
    VTB_PATTERNBALJU->FieldByName(QStringLiteral("ADUPRC")).setDisplayFormat(QStringLiteral("#,##0"));

    setUpGrid(ui->grid_Regorderlist, kLineFont, dgEditing | dgTitles | dgColLines | dgRowLines | dgAlwaysShowSelection);
    ui->grid_Regorderlist->setDataSource(VTB_PATTERNBALJU);
    const struct {
        const char *field, *title;
        int width;
        bool editable;
    } lineColumns[] = {{"ADSEQ", "No", 33, false},     {"IMNAME", "품명", 186, false}, {"SIZE", "규격", 91, false},
                       {"ADQTY", "수량", 81, true},    {"ADUNIT", "단위", 72, false},  {"ADUPRC", "단가", 118, false},
                       {"ADAMT", "합계", 0, false},    {"jjgo", "적정재고", 0, false},
                       {"SoUnitTotalstock", "현재고", 0, false}, {"IMITNB", "IMITNB", 0, false}};
    for (const auto &c : lineColumns) {
        TColumn *column = AddGridColumn(ui->grid_Regorderlist, QLatin1String(c.field), QString::fromUtf8(c.title), c.width);
        column->setReadOnly(!c.editable);
    }
    ui->grid_Regorderlist->Columns()[0]->setAlignment(Qt::AlignCenter);

    // The two sources: received orders and patterns.
    constexpr int listOptions = dgTitles | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection;
    setUpGrid(ui->mgd_RegDeliverylist, kListFont, listOptions);
    setUpGrid(ui->grid_PrpaStock1, kListFont, listOptions);

    cds_F0100 = NewRemoteCall(this, "cds_F0100", "dspStoredProc1", QStringLiteral("[GP_SELECT_F0100_RegOrder_Susin_Search]"));
    cds_F2110_s = NewRemoteCall(this, "cds_F2110_s", "dspStoredProc2", QStringLiteral("[GP_SELECT_F2110_RegOrderSearch]"));
    cds_F2111_s =
        NewRemoteCall(this, "cds_F2111_s", "dspStoredProc7", QStringLiteral("[GP_SELECT_F2111_RegOrderSearch_new1]"));
    cds_F2400_hed = NewRemoteCall(this, "cds_F2400_hed", "dspStoredProc15", QStringLiteral("[GP_SELECT_F2400_POPUPSALES]"));
    cds_F2401_det = NewRemoteCall(this, "cds_F2401_det", "dspStoredProc13", QStringLiteral("[GP_SELECT_F2401_POPUPSALES]"));
    cds_BicgoAll = NewRemoteCall(this, "cds_BicgoAll", "dspStoredProc7", QStringLiteral("[GP_SELECT_MAXNUMBER]"));
    cds_Chulgo = NewRemoteCall(this, "cds_Chulgo", "dspStoredProc6", QStringLiteral("[GP_INSERT_F3200_DELIVERYENTRY]"));
    declareInsertParams(*cds_Chulgo);
    m_number = std::make_unique<DocumentNumber>(*cds_BicgoAll);

    ui->mgd_RegDeliverylist->setDataSource(cds_F2400_hed);
    AddGridColumn(ui->mgd_RegDeliverylist, QStringLiteral("OHNYDT2"), QStringLiteral("납품예정"), 72);
    AddGridColumn(ui->mgd_RegDeliverylist, QStringLiteral("OHDATE2"), QStringLiteral("수주일"), 69);
    AddGridColumn(ui->mgd_RegDeliverylist, QStringLiteral("oHADNB_name"), QStringLiteral("거래처명"), 151);
    AddGridColumn(ui->mgd_RegDeliverylist, QStringLiteral("OHedfl"), QStringLiteral("진행상태"), 0);
    AddGridColumn(ui->mgd_RegDeliverylist, QStringLiteral("bunho2"), QStringLiteral("수주번호"), 0);
    ui->grid_PrpaStock1->setDataSource(cds_F2110_s);
    TColumn *patternColumn = AddGridColumn(ui->grid_PrpaStock1, QStringLiteral("AHNAME"), QStringLiteral("패턴 선택"), 240);
    patternColumn->Title()->setAlignment(Qt::AlignRight); // the filter stands over the title's left part
    // The title row is as tall as the filter, so the filter covers the title
    // and not the first pattern.
    QFont titleFont = ui->grid_PrpaStock1->font();
    for (int px = kListFont; QFontMetrics(titleFont).height() + 4 < ui->com_PetenBunruAll->height() && px < 64; ++px)
        titleFont.setPixelSize(px + 1);
    patternColumn->Title()->setFont(titleFont);

    m_customers = std::make_unique<TSupplierCombos>(ui->CMB_ADNBNAME, ui->CMB_ADNB);

    connect(ui->BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(ui->btn_Close, &TMirelImgBtn::OnClick, this, [this] { btn_CloseClick(); });
    connect(ui->btn_Minimize, &TMirelImgBtn::OnClick, this, [this] { showMinimized(); });
    connect(ui->mgd_RegDeliverylist, &TMirelGrid::OnCellClick, this, [this] { mgd_RegDeliverylistCellClick(); });
    connect(ui->grid_PrpaStock1, &TMirelGrid::OnCellClick, this, [this] { grid_PrpaStock1CellClick(); });
    connect(ui->grid_Regorderlist, &TMirelGrid::OnCellClick, this,
            [this](TColumn *column) { grid_RegorderlistCellClick(column); });
    connect(ui->com_PetenBunruAll, &QComboBox::currentIndexChanged, this, [this] { com_PetenBunruAllChange(); });
    connect(ui->MirelImgBtn3, &TMirelImgBtn::OnClick, this, [this] { PageGrid(ui->mgd_RegDeliverylist, kPageUpTag, ListPage); });
    connect(ui->MirelImgBtn4, &TMirelImgBtn::OnClick, this,
            [this] { PageGrid(ui->mgd_RegDeliverylist, kPageDownTag, ListPage); });
    connect(ui->MirelImgBtn5, &TMirelImgBtn::OnClick, this, [this] { PageGrid(ui->grid_PrpaStock1, kPageUpTag, ListPage); });
    connect(ui->MirelImgBtn2, &TMirelImgBtn::OnClick, this, [this] { PageGrid(ui->grid_PrpaStock1, kPageDownTag, ListPage); });
    for (TMirelImgBtn *b : {ui->btn_RegorderlistUp, ui->btn_RegorderlistDown})
        connect(b, &TMirelImgBtn::OnClick, this, [this, b] {
            if (!VTB_PATTERNBALJU->Active())
                VTB_PATTERNBALJU->Open();
            PageGrid(ui->grid_Regorderlist, b->Tag(), LinePage);
        });
    ConnectPadKeys(this, [this](int tag) { PadKeyUp(tag); });
    connect(ui->btn_chul, &TMirelImgBtn::OnClick, this, [this] { btn_chulClick(); });
    connect(ui->btn_Ok, &TMirelImgBtn::OnClick, this, [this] { btn_OkClick(); });
    connect(ui->btn_Enter, &TMirelImgBtn::OnClick, this, [this] { btn_EnterClick(); });
}

TF10051_deliver::~TF10051_deliver()
{
    if (F10051_deliver == this)
        F10051_deliver = nullptr;
}

void TF10051_deliver::showEvent(QShowEvent *event)
{
    TWorkScreen::showEvent(event);
    if (FirstShow(event))
        FormShow();
}

void TF10051_deliver::FormShow()
{
    MenuViewState = QStringLiteral("0");
    m_customers->Load(*cds_F0100);
    ui->date_Wantdate->setDate(os::Now().date());
    // The customer change for the empty first entry ("99999999").
    ui->CMB_ADNBNAME->setCurrentIndex(0);
    ui->CMB_ADNB->setCurrentIndex(0);
    if (DM && DM->CheckOrderBlocked(ui->CMB_ADNB->currentText()))
        m_customers->ClearSelection();

    OpenPatterns(*cds_F2110_s, ui->CMB_ADNB->currentText());

    OpenOpenDocuments(*cds_F2400_hed, "a_adnb"); // every open received order
    focusQuantity();
}

// A quantity being typed is dropped when a source replaces the lines.
void TF10051_deliver::dropPendingEdit()
{
    if (VTB_PATTERNBALJU->State() != DataSetState::Browse)
        VTB_PATTERNBALJU->Cancel();
}

void TF10051_deliver::focusQuantity()
{
    FocusQuantity(ui->grid_Regorderlist);
}

// Each source reads its lines before the screen changes: a failed read is
// logged and leaves the customer and the lines as they were.
void TF10051_deliver::mgd_RegDeliverylistCellClick()
{
    if (!cds_F2400_hed->Active() || cds_F2400_hed->IsEmpty())
        return;
    const QString customer = cds_F2400_hed->FieldByName(QStringLiteral("OHADNB")).AsString();
    if (!VTB_PATTERNBALJU->Active()) {
        m_customers->SetSupplier(customer);
        return;
    }
    const QString month = cds_F2400_hed->FieldByName(QStringLiteral("OHMONTH")).AsString();
    const bool read = RunLogged(kOrderLinesError, [&] {
        SetTextParam(*cds_F2401_det, "A_CMCD", MyConfig.CompanyCode);
        SetTextParam(*cds_F2401_det, "A_BUUT", MyConfig.StoreCode);
        SetTextParam(*cds_F2401_det, "A_MONTH", month);
        SetParam(*cds_F2401_det, FieldType::Integer, "A_NUMB", cds_F2400_hed->FieldByName(QStringLiteral("OHNUMB")).AsInteger());
        cds_F2401_det->Open();
    });
    if (!read)
        return;
    m_customers->SetSupplier(customer);
    dropPendingEdit();
    RunLogged(kOrderLinesError, [&] {
        FillLines(*VTB_PATTERNBALJU, *cds_F2401_det,
                  {{"ADSEQ", "ODSEQ"},   {"IMITNB", "ODITNB"},      {"IMNAME", "IMNAME"}, {"ADUNIT", "ODUNIT"},
                   {"ADMDAN", "ODMDAN"}, {"ADLDAN", "ODLDAN"},      {"ADBDAN", "ODBDAN"}, {"IMITTY", "imitty_name"},
                   {"SUSUM", "ODNUMB"},  {"ADMCAL", "ODMCAL"},      {"ADQTY", "sujan_qty"}, {"SIZE", "size"}},
                  LineCopy::ByLineType, [&month](DataSet &line, DataSet &row) {
                      // The order's price in every price field, as pattern lines
                      // carry theirs, so the release sends it.
                      SetLinePrices(line, row.FieldByName(QStringLiteral("ODUPRC")).AsInteger());
                      line.FieldByName(kOrderMonth).setAsString(month);
                  });
    });
    focusQuantity();
}

void TF10051_deliver::com_PetenBunruAllChange()
{
    FilterPatterns(*cds_F2110_s, ui->com_PetenBunruAll->currentText());
}

void TF10051_deliver::grid_PrpaStock1CellClick()
{
    if (!cds_F2110_s->Active())
        return;
    const QString customer = cds_F2110_s->FieldByName(QStringLiteral("AHADNB")).AsString();
    if (cds_F2110_s->IsEmpty()) {
        m_customers->SetSupplier(customer);
        return;
    }
    const bool read = RunLogged(kPatternLinesError, [&] {
        SetPatternLineParams(*cds_F2111_s, cds_F2110_s->FieldByName(QStringLiteral("AHnumb")).AsInteger(), customer);
        cds_F2111_s->Params().CreateParam(FieldType::Integer, QStringLiteral("phnumb")).Clear();
        cds_F2111_s->Open();
    });
    if (!read)
        return;
    m_customers->SetSupplier(customer);
    dropPendingEdit();
    RunLogged(kPatternLinesError, [&] { FillPatternLines(*VTB_PATTERNBALJU, *cds_F2111_s, false); });
    focusQuantity();
}

void TF10051_deliver::BitBtn1Click()
{
    TF651_Susin picker(this);
    F651_Susin = &picker;
    const int result = picker.exec();
    F651_Susin = nullptr;
    if (result == 1)
        m_customers->SetSupplier(picker.form().Label2->text());
}

void TF10051_deliver::btn_OkClick()
{
    TF652_EdOrder picker(this);
    F652_EdOrder = &picker;
    const int result = picker.exec();
    F652_EdOrder = nullptr;
    if (result == 1)
        LoadPlacedOrder(picker);
}

void TF10051_deliver::LoadPlacedOrder(TF652_EdOrder &picker)
{
    const QString customer = picker.form().CMB_ADNB->currentText();
    DataSet &order = *picker.cds_F2100_pat;
    if (!picker.cds_F2101_det->Active() || !cds_F2110_s->Active() || cds_F2110_s->IsEmpty()) {
        m_customers->SetSupplier(customer);
        return;
    }
    if (!RunLogged(kPatternLinesError, [&] { ReadPlacedOrderLines(order, *cds_F2111_s); }))
        return;
    m_customers->SetSupplier(customer);
    dropPendingEdit();
    RunLogged(kPatternLinesError,
              [&] { FillPlacedOrderLines(*VTB_PATTERNBALJU, order, *picker.cds_F2101_det, *cds_F2111_s); });
    focusQuantity();
}

void TF10051_deliver::grid_RegorderlistCellClick(TColumn *column)
{
    if (!column || column->FieldName() != QLatin1String("ADUNIT") || !VTB_PATTERNBALJU->Active()
        || VTB_PATTERNBALJU->IsEmpty())
        return;
    ChooseLineUnit(*VTB_PATTERNBALJU, this);
    focusQuantity();
}

void TF10051_deliver::PadKeyUp(int tag)
{
    TypePadKey(ui->grid_Regorderlist, *VTB_PATTERNBALJU, tag);
}

void TF10051_deliver::btn_EnterClick()
{
    NextLine(*VTB_PATTERNBALJU);
    focusQuantity();
}

void TF10051_deliver::btn_CloseClick()
{
    if (ConfirmClose(VTB_PATTERNBALJU->RecordCount()))
        done(CloseResult);
}

void TF10051_deliver::btn_chulClick()
{
    if (!HasWriteRight(kProgramId))
        return;
    DataSet &v = *VTB_PATTERNBALJU;
    v.CheckBrowseMode(); // what the quantity cell holds counts
    bool anyQuantity = false;
    for (int row = 0; row < v.rowCount() && !anyQuantity; ++row) {
        DataSet::RowScope scope(v, row);
        anyQuantity = hasQuantity(v);
    }
    // Without a line to send there is nothing to release: no question, no
    // number, no empty header; the lines stay for correcting.
    if (!anyQuantity)
        return;
    if (ui->CMB_ADNBNAME->currentIndex() <= 0 || ui->CMB_ADNBNAME->currentText().isEmpty()) {
        ShowMessageBox(QStringLiteral("출고할 지점이 없습니다. 출고처를 선택해 주세요!"), mkNotice, 2000);
        return;
    }
    if (AskMessageBox(ui->CMB_ADNBNAME->currentText() + QStringLiteral("거래처로 출고 하시겠습니까?"), mkOkCancel) != mrYes)
        return;
    saveRelease();
}

// Number, header, the lines with a quantity; server errors propagate to the
// error box and leave the lines and the held number for the retry.
void TF10051_deliver::saveRelease()
{
    const QDate d = ui->date_Wantdate->date();
    const QString month = d.toString(QStringLiteral("yyyyMM"));
    const qint64 number = m_number->numberFor(ReleaseKind, month);
    ui->Edit3->setText(QString::number(number));

    ClientDataSet &c = *cds_Chulgo;
    c.ParamByName(QStringLiteral("A_GUBUN")).setAsSmallInt(1);
    SetTextParam(c, "A_DHCMCD", MyConfig.CompanyCode);
    SetTextParam(c, "A_DHBUUT", MyConfig.StoreCode);
    SetTextParam(c, "A_DHMONTH", month);
    SetParam(c, FieldType::Integer, "A_DHNUMB", number);
    SetTextParam(c, "A_DHYEAR", d.toString(QStringLiteral("yyyy")));
    SetTextParam(c, "A_DHDATE", d.toString(QStringLiteral("yyyyMMdd")));
    SetTextParam(c, "A_DHADNB", ui->CMB_ADNB->currentText());
    SetTextParam(c, "A_DHCHTY", QStringLiteral("001"));
    SetTextParam(c, "A_DHSEME", QString());
    SetTextParam(c, "A_DHBIGO", QString());
    SetTextParam(c, "A_DHPOID", MyConfig.PosNo);
    SetTextParam(c, "A_DHCHYI", QString());
    SetTextParam(c, "A_DHBARS", QString());
    c.ParamByName(QStringLiteral("A_DHpdfl")).setAsBoolean(false);
    SetTextParam(c, "A_DHKEMONTH", QString());
    SetParam(c, FieldType::Integer, "A_DHKENUMB", 0);
    SetTextParam(c, "A_DHKMMONTH", QString());
    SetTextParam(c, "A_DHKMNUMB", QString());
    SetTextParam(c, "A_DHWORK", MyConfig.UIADNB);
    SetTextParam(c, "A_DHPGID", kFormName);
    c.Execute();

    DataSet &v = *VTB_PATTERNBALJU;
    auto field = [&v](const char *name) -> const Field & { return v.FieldByName(QLatin1String(name)); };
    int seq = 0;
    for (int row = 0; row < v.rowCount(); ++row) {
        DataSet::RowScope scope(v, row);
        if (!hasQuantity(v))
            continue;
        ++seq;
        c.ParamByName(QStringLiteral("A_GUBUN")).setAsSmallInt(2);
        SetTextParam(c, "A_DDCMCD", MyConfig.CompanyCode);
        SetTextParam(c, "A_DDBUUT", MyConfig.StoreCode);
        SetTextParam(c, "A_DDMONTH", month);
        SetParam(c, FieldType::Integer, "A_DDNUMB", number);
        SetParam(c, FieldType::Integer, "A_DDSEQ", seq);
        SetTextParam(c, "A_DDITNB", field("IMITNB").AsString());
        SetTextParam(c, "A_DDBAR", QString());
        SetTextParam(c, "A_DDRFID", QString());
        SetTextParam(c, "A_DDLINB", QString());
        SetTextParam(c, "A_DDUNIT", field("ADUNIT").AsString());
        SetParam(c, FieldType::Float, "A_DDQTY", field("ADQTY").AsFloat());
        SetParam(c, FieldType::Integer, "A_DDUPRC", field("ADUPRC001").AsInteger());
        SetLineUnitParams(c, "A_DD", v);
        SetTextParam(c, "A_DDIBMONTH", QString());
        SetParam(c, FieldType::Integer, "A_DDIBNUMB", 0);
        SetParam(c, FieldType::Integer, "A_DDIBSEQ", 0);
        // A line from a received order names that order's month, so an order
        // of an earlier month is found; other lines name the release's.
        const QString orderMonth = field("SUMONTH").AsString();
        SetTextParam(c, "A_DDSUMONTH", orderMonth.isEmpty() ? month : orderMonth);
        SetParam(c, FieldType::Integer, "A_DDSUNUMB", field("SUSUM").AsInteger());
        SetParam(c, FieldType::Integer, "A_DDSUSEQ", field("ADSEQ").AsInteger());
        SetTextParam(c, "A_DDWORK", MyConfig.UIADNB);
        SetTextParam(c, "A_DDPGID", kFormName);
        SetTextParam(c, "a_edflyn", QStringLiteral("2"));
        c.Execute();
    }
    m_number->completed();
    v.EmptyTable();
}
