#include "documents/U10021_Warehouse.h"
#include "shell/MenuTags.h"
#include "ui_U10021_Warehouse.h"
#include "ui_U651_Susin.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/PageGrid.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "documents/DocumentCalls.h"
#include "documents/DocumentLines.h"
#include "documents/DocumentRights.h"
#include "documents/PatternLines.h"
#include "documents/ReceiptRules.h"
#include "documents/SupplierCombos.h"
#include "documents/U651_Susin.h"
#include "documents/UnitChooser.h"
#include "platform/dataset/ControlsOff.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QTabWidget>

#include <cmath>

TF10021_Warehouse *F10021_Warehouse = nullptr;

namespace {

const QString kFormName = QStringLiteral("F10021_Warehouse");

QString F(const char *name) { return QLatin1String(name); }

bool isZero(double quantity) { return std::llround(quantity * 10000) == 0; }

} // namespace

TF10021_Warehouse::TF10021_Warehouse(QWidget *parent)
    : TWorkScreen(MenuTag::Warehouse, parent), ui(std::make_unique<Ui::TF10021_Warehouse>())
{
    ui->setupUi(this);
    setFixedSize(ScreenWidth, ScreenHeight);
    bindMenuButton(ui->btn_AllMenuView);

    ui->PageControl1->setCurrentWidget(ui->ibgosheet4);

    Suppliers = new TSupplierCombos(ui->CMB_ADNBNAME, ui->CMB_ADNB, this);

    cds_F0100 = NewRemoteCall(this, "cds_F0100", "dspStoredProc1", "[GP_SELECT_F0100_RegOrder_Susin_Search]");
    cds_F2110_s = NewRemoteCall(this, "cds_F2110_s", "dspStoredProc2", "[GP_SELECT_F2110_RegOrderSearch]");
    cds_F2111_s = NewRemoteCall(this, "cds_F2111_s", "dspStoredProc7", "[GP_SELECT_F2111_RegOrderSearch_new1]");
    cds_F2100_hed = NewRemoteCall(this, "cds_F2100_hed", "dspStoredProc15", "[GP_SELECT_F2100_POPUPPURCHASE]");
    cds_F2101_det = NewRemoteCall(this, "cds_F2101_det", "dspStoredProc13", "[GP_SELECT_F2101_POPUPPURCHASE_new]");
    cds_F3100_hed = NewRemoteCall(this, "cds_F3100_hed", "dspStoredProc3", "[GP_SELECT_F3100_WAREHOUSEENTRY_POS]");
    cds_F3101_det = NewRemoteCall(this, "cds_F3101_det", "dspStoredProc5", "[GP_SELECT_F3101_WAREHOUSEENTRY_POS]");
    cds_BicgoAll = NewRemoteCall(this, "cds_BicgoAll", "dspStoredProc7", "[GP_SELECT_MAXNUMBER]");
    cds_Ipgo = NewRemoteCall(this, "cds_Ipgo", "dspStoredProc6", "[GP_INSERT_F3100_WAREHOUSEENTRY]");
    cds_F2100_hedup = NewRemoteCall(this, "cds_F2100_hedup", "dspStoredProc5", "[GP_UPDATE_F2100_HedOhedfl_NEW]");
    m_number = std::make_unique<DocumentNumber>(*cds_BicgoAll);

    // FormCreate: the work lines (the shared line fields, then the shipped
    // quantity and the order line they receive) and the history table.
    VTB_PATTERNBALJU = new DataSet(this);
    VTB_PATTERNBALJU->setObjectName(F("VTB_PATTERNBALJU"));
    VTB_PATTERNBALJU->AddFields(PatternLineFields());
    VTB_PATTERNBALJU->AddFields({{F("chulgo_qty"), FieldType::Float},
                                 {F("BAMONTH"), FieldType::String, 6},
                                 {F("BASEQ"), FieldType::Integer}});
    VTB_PATTERNBALJU->BeforePost = [](DataSet &ds) {
        const Currency price(ds.FieldByName(F("ADUPRC000")).AsInteger());
        ds.FieldByName(F("ADAMT")).setAsCurrency(price * ds.FieldByName(F("ADQTY")).AsFloat());
    };
    VTB_PATTERNBALJU->Open();
    VTB_PATTERNBALJU->FieldByName(F("ADUPRC")).setDisplayFormat(QStringLiteral("#,##0"));
    VTB_PATTERNBALJU->FieldByName(F("ADAMT")).setDisplayFormat(QStringLiteral("#,##0"));

    vtb_3100_hed = new DataSet(this);
    vtb_3100_hed->setObjectName(F("vtb_3100_hed"));
    for (const char *name : {"bunho", "ibgo_il", "WHADNB_name", "WHNUMB", "gubun", "WHMONTH", "WHADNB", "WHBIGO", "check"})
        vtb_3100_hed->AddField(F(name), FieldType::String, 20);
    vtb_3100_hed->Open();

    const QDate today = os::Now().date();
    ui->date_Wantdate->setDate(today);
    ui->date_SdSearch1->setDate(today);
    ui->date_SdSearch2->setDate(today);
    setupGrids();

    connect(Suppliers, &TSupplierCombos::userChose, this, [this](const QString &code) {
        ui->Edit4->setText(code == QLatin1String("99999999") ? QString::fromUtf8(NoSupplier) : code);
    });
    // Runs after the combos' own handler: a choice the block check cleared
    // leaves the receipt without a supplier.
    connect(ui->CMB_ADNBNAME, &QComboBox::activated, this, [this] {
        if (ui->CMB_ADNBNAME->currentIndex() < 0)
            ui->Edit4->setText(QString::fromUtf8(NoSupplier));
    });
    connect(ui->com_PetenBunruAll, &QComboBox::activated, this, [this] { com_PetenBunruAllChange(); });
    connect(ui->BitBtn1, &TMirelImgBtn::OnClick, this, [this] { BitBtn1Click(); });
    connect(ui->grid_StockItems, &TMirelGrid::OnCellClick, this, [this] { grid_StockItemsCellClick(); });
    connect(ui->grid_Petenlist, &TMirelGrid::OnCellClick, this, [this] { grid_PetenlistCellClick(); });
    connect(ui->grid_SdStock, &TMirelGrid::OnCellClick, this, [this] { grid_SdStockCellClick(); });
    for (TMirelGrid *lines : {ui->MirelGrid1, ui->grid_Regorderlist})
        connect(lines, &TMirelGrid::OnCellClick, this, [this](TColumn *column) {
            if (column && column->FieldName() == QLatin1String("ADUNIT") && !VTB_PATTERNBALJU->IsEmpty())
                ChooseLineUnit(*VTB_PATTERNBALJU, this);
        });
    connect(ui->btn_SdStockHedsearch, &TMirelImgBtn::OnClick, this, [this] { btn_SdStockHedsearchClick(); });
    for (TMirelImgBtn *b : {ui->MirelImgBtn1, ui->MirelImgBtn2})
        connect(b, &TMirelImgBtn::OnClick, this, [this, b] { PageList(ui->grid_StockItems, b->Tag()); });
    for (TMirelImgBtn *b : {ui->btn_PetenlistUp, ui->btn_PetenlistDown})
        connect(b, &TMirelImgBtn::OnClick, this, [this, b] { PageList(ui->grid_Petenlist, b->Tag()); });
    for (TMirelImgBtn *b : {ui->btn_SdStock1Up, ui->btn_SdStock1Down})
        connect(b, &TMirelImgBtn::OnClick, this, [this, b] { PageList(ui->grid_SdStock, b->Tag()); });
    for (TMirelImgBtn *b : {ui->btn_RegorderlistUp, ui->btn_RegorderlistDown})
        connect(b, &TMirelImgBtn::OnClick, this, [this, b] { PageLines(b->Tag()); });
    ConnectPadKeys(this, [this](int tag) { KeyPadMouseUp(tag); });
    connect(ui->btn_Enter, &TMirelImgBtn::OnClick, this, [this] { btn_EnterClick(); });
    connect(ui->btn_Menu, &TMirelImgBtn::OnClick, this, [this] { btn_MenuClick(); });
    connect(ui->btn_Ok, &TMirelImgBtn::OnClick, this, [this] { btn_OkClick(); });
    connect(ui->btn_Close, &TMirelImgBtn::OnClick, this, [this] { btn_CloseClick(); });
    connect(ui->btn_Minimize, &TMirelImgBtn::OnClick, this, [] {
        if (QWidget *w = QApplication::activeWindow())
            w->showMinimized();
    });
}

TF10021_Warehouse::~TF10021_Warehouse() = default;

void TF10021_Warehouse::setupGrids()
{
    constexpr int listOptions = dgTitles | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection;
    ui->grid_StockItems->setOptions(listOptions);
    ui->grid_StockItems->setReadOnly(true);
    ui->grid_StockItems->setDataSource(cds_F2100_hed);
    AddGridColumn(ui->grid_StockItems, F("PHNYDT2"), QStringLiteral("납품예정"), 120);
    AddGridColumn(ui->grid_StockItems, F("PHDATE2"), QStringLiteral("발 주 일"), 120);
    AddGridColumn(ui->grid_StockItems, F("PHADNB_name"), QStringLiteral("거래처명"), 190);
    AddGridColumn(ui->grid_StockItems, F("PHedfl"), QStringLiteral("진행상태"), 80)->setVisible(false);
    AddGridColumn(ui->grid_StockItems, F("bunho2"), QStringLiteral("발주번호"), 100)->setVisible(false);

    ui->grid_Petenlist->setOptions(listOptions);
    ui->grid_Petenlist->setReadOnly(true);
    ui->grid_Petenlist->setDataSource(cds_F2110_s);
    AddGridColumn(ui->grid_Petenlist, F("AHNAME"), QStringLiteral("패턴 선택"), 420);

    ui->grid_SdStock->setOptions(listOptions | dgMultiSelect);
    ui->grid_SdStock->setReadOnly(true);
    ui->grid_SdStock->setDataSource(vtb_3100_hed);
    TColumn *check = AddGridColumn(ui->grid_SdStock, F("check"), QStringLiteral(" "), 40);
    check->setColor(15780518); // sky blue
    check->setAlignment(Qt::AlignCenter);
    AddGridColumn(ui->grid_SdStock, F("bunho"), QStringLiteral("입고번호"), 160);
    AddGridColumn(ui->grid_SdStock, F("WHADNB_name"), QStringLiteral("거래처명"), 230);

    struct Col {
        const char *field, *title;
        int width;
        bool visible;
    };
    static const Col cols[] = {{"ADSEQ", "No", 30, true},       {"IMITTY", "유형", 40, true},
                               {"IMNAME", "품명", 82, true},    {"SIZE", "규격", 40, true},
                               {"ADQTY", "수량", 44, true},     {"ADUNIT", "단위", 38, true},
                               {"ADUPRC", "단가", 50, true},    {"ADAMT", "금액", 62, true},
                               {"jjgo", "적정재고", 50, false}, {"SoUnitTotalstock", "현재고", 50, false},
                               {"IMITNB", "IMITNB", 50, false}, {"chulgo_qty", "출고수량", 54, true}};
    for (TMirelGrid *lines : {ui->MirelGrid1, ui->grid_Regorderlist}) {
        lines->setDataSource(VTB_PATTERNBALJU);
        for (const Col &c : cols) {
            TColumn *column = AddGridColumn(lines, F(c.field), QString::fromUtf8(c.title), c.width);
            column->setVisible(c.visible);
            column->setReadOnly(QLatin1String(c.field) != QLatin1String("ADQTY"));
        }
    }
    ui->MirelGrid1->raise();
}

void TF10021_Warehouse::showEvent(QShowEvent *event)
{
    TWorkScreen::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TF10021_Warehouse::closeEvent(QCloseEvent *event)
{
    VTB_PATTERNBALJU->Close();
    vtb_3100_hed->Close();
    TWorkScreen::closeEvent(event);
}

void TF10021_Warehouse::FormShow()
{
    MenuViewState = QStringLiteral("0");
    if (!VTB_PATTERNBALJU->Active())
        VTB_PATTERNBALJU->Open();
    if (!vtb_3100_hed->Active())
        vtb_3100_hed->Open();
    LoadScreen();
}

void TF10021_Warehouse::LoadScreen()
{
    // The pattern list is asked for the supplier in place before the lists
    // are rebuilt: every supplier at first, the last one after a save.
    QString target = Suppliers->Code();
    if (target.isEmpty())
        target = QStringLiteral("99999999");
    Suppliers->Load(*cds_F0100);
    ui->date_Wantdate->setDate(os::Now().date());

    OpenPatterns(*cds_F2110_s, target);
    com_PetenBunruAllChange();

    OpenOpenDocuments(*cds_F2100_hed, "a_name");
}

void TF10021_Warehouse::setSupplier(const QString &code)
{
    Suppliers->SetSupplier(code);
    ui->Edit4->setText(code);
}

void TF10021_Warehouse::emptyLines()
{
    VTB_PATTERNBALJU->Cancel();
    VTB_PATTERNBALJU->EmptyTable();
    m_historyLines = false;
}

// While lines of an order are shown, their supplier and the order's tax kind
// are fixed: neither the name list, the supplier picker nor the tax kind can
// change them.
void TF10021_Warehouse::fixSupplier(bool fixed)
{
    ui->CMB_ADNBNAME->setEnabled(!fixed);
    ui->BitBtn1->setEnabled(!fixed);
    ui->combo_Tax->setEnabled(!fixed);
}

// The tax kind the screen starts with: VAT included.
void TF10021_Warehouse::resetTaxKind()
{
    ui->Edit7->setText(QStringLiteral("1"));
    ui->Edit7_1->setText(QStringLiteral("001"));
    ui->combo_Tax->setCurrentText(QStringLiteral("포함"));
}

void TF10021_Warehouse::com_PetenBunruAllChange()
{
    if (cds_F2110_s->Active())
        FilterPatterns(*cds_F2110_s, ui->com_PetenBunruAll->currentText());
}

void TF10021_Warehouse::BitBtn1Click()
{
    TF651_Susin picker(this);
    if (picker.exec() != 1)
        return;
    setSupplier(picker.form().Label2->text());
}

void TF10021_Warehouse::grid_StockItemsCellClick()
{
    DataSet &order = *cds_F2100_hed;
    if (!order.Active() || order.IsEmpty())
        return;
    const QString supplier = order.FieldByName(F("PHADNB")).AsString();
    const QString supplierName = order.FieldByName(F("PHADNB_name")).AsString();
    const QString status = order.FieldByName(F("PHedfl")).AsString();
    const QString orderMonth = order.FieldByName(F("PHMONTH")).AsString();
    // The order's lines are read before the screen changes: a failed read
    // leaves the lines being received, their supplier and date as they were.
    if (!RunLogged(QStringLiteral("F1002_Warehouse.cds_F2101_det Error:"), [&] {
        cds_F2101_det->Close();
        SetTextParam(*cds_F2101_det, "A_CMCD", MyConfig.CompanyCode);
        SetTextParam(*cds_F2101_det, "A_BUUT", MyConfig.StoreCode);
        SetTextParam(*cds_F2101_det, "A_MONTH", orderMonth);
        SetParam(*cds_F2101_det, FieldType::Integer, "A_NUMB", order.FieldByName(F("PHNUMB")).AsInteger());
        SetTextParam(*cds_F2101_det, "a_gubun", QStringLiteral("1"));
        cds_F2101_det->Open();
    }))
        return;
    ui->Label10->clear();
    setSupplier(supplier);
    emptyLines();
    ui->date_Wantdate->setDate(order.FieldByName(F("PHNYDT")).AsDateTime().date());
    ui->lab_JijemAalrim->setText(supplierName);

    DataSet &lines = *VTB_PATTERNBALJU;
    if (!RunLogged(QStringLiteral("F1002_Warehouse.cds_F2101_det Error:"), [&] {
        FillLines(lines, *cds_F2101_det,
                  {{"ADSEQ", "PDSEQ"},        {"IMITNB", "PDITNB"},      {"IMNAME", "IMNAME"},
                   {"ADMDAN", "PDMDAN"},      {"ADLDAN", "PDLDAN"},      {"ADBDAN", "PDBDAN"},
                   {"ADSQTY", "PDSQTY"},      {"ADMQTY", "PDMQTY"},      {"IMITTY", "imitty_name"},
                   {"SUSUM", "PDNUMB"},       {"JrADQTY", "baljan_QTY"}, {"SIZE", "size"},
                   {"ADQTY", "baljan_QTY"},   {"ADUNIT", "PDUNIT"},      {"ADUPRC", "chulgo_uprc"},
                   {"ADUPRC000", "chulgo_uprc"}, {"ADMCAL", "PDMCAL"},   {"chulgo_qty", "chulgo_qty"},
                   {"BASEQ", "PDSEQ"}},
                  LineCopy::ByLineType, [&](DataSet &line, DataSet &) {
                      line.FieldByName(F("SoUnitTotalstock")).setAsString(status);
                      line.FieldByName(F("BAMONTH")).setAsString(orderMonth);
                  });
    }))
        return;

    // Only what is still open is received (each line proposes its open
    // remainder); a received order gives nothing.
    const bool complete = status == QStringLiteral("입고완료");
    {
        const ControlsOff quiet(lines);
        for (lines.First(); !lines.Eof();) {
            if (complete || isZero(lines.FieldByName(F("JrADQTY")).AsFloat()))
                lines.Delete();
            else
                lines.Next();
        }
        int seq = 0;
        for (lines.First(); !lines.Eof(); lines.Next()) {
            lines.Edit();
            lines.FieldByName(F("ADSEQ")).setAsInteger(++seq);
            lines.Post();
        }
        lines.First();
    }

    if (lines.IsEmpty()) {
        fixSupplier(false);
        ui->CMB_ADNBNAME->setCurrentIndex(-1);
        return;
    }
    ui->Edit4->setText(supplier);
    ui->lab_JijemAalrim->setText(supplierName);
    fixSupplier(true);
    if (const auto tax = TaxKindOfOrder(order.FieldByName(F("PHtxgu")).AsString())) {
        ui->Edit7->setText(tax->code);
        ui->Edit7_1->setText(tax->kindCode);
        ui->combo_Tax->setCurrentText(tax->comboText);
    }
    focusQuantity();
}

void TF10021_Warehouse::grid_PetenlistCellClick()
{
    DataSet &pattern = *cds_F2110_s;
    if (!pattern.Active() || pattern.IsEmpty())
        return;
    const QString supplier = pattern.FieldByName(F("AHADNB")).AsString();
    // The pattern's lines are read before the screen changes: a failed read
    // leaves the lines, their supplier and tax kind as they were.
    const QString logText = QStringLiteral("TF652_RegOrder.grid_PetenlistCellClick Error:");
    if (!RunLogged(logText, [&] {
            cds_F2111_s->Close();
            SetPatternLineParams(*cds_F2111_s, pattern.FieldByName(F("AHNUMB")).AsInteger(), supplier);
            cds_F2111_s->Open();
        }))
        return;
    // Pattern lines name no order: the screen is as with no order lines, the
    // supplier free to change and the tax kind the one a supplier chosen by
    // hand is received under.
    setSupplier(supplier);
    ui->Label10->setText(pattern.FieldByName(F("AHNAME")).AsString());
    ui->lab_JijemAalrim->clear();
    resetTaxKind();
    fixSupplier(false);
    emptyLines();
    if (!RunLogged(logText, [&] {
            FillPatternLines(*VTB_PATTERNBALJU, *cds_F2111_s, false,
                             [&](DataSet &line, DataSet &) { line.FieldByName(F("AHADNB")).setAsString(supplier); });
        }))
        return;
    focusQuantity();
}

void TF10021_Warehouse::btn_SdStockHedsearchClick()
{
    DataSet &history = *vtb_3100_hed;
    history.EmptyTable();
    cds_F3100_hed->Close();
    SetTextParam(*cds_F3100_hed, "a_cmcd", MyConfig.CompanyCode);
    SetTextParam(*cds_F3100_hed, "a_buut", MyConfig.StoreCode);
    SetTextParam(*cds_F3100_hed, "a_name", QString());
    SetTextParam(*cds_F3100_hed, "a_stdt", ui->date_SdSearch1->date().toString(QStringLiteral("yyyyMMdd")));
    SetTextParam(*cds_F3100_hed, "a_eddt", ui->date_SdSearch2->date().toString(QStringLiteral("yyyyMMdd")));
    SetTextParam(*cds_F3100_hed, "a_month", QString());
    SetParam(*cds_F3100_hed, FieldType::Integer, "a_numb", 0);
    cds_F3100_hed->Open();
    DataSet &found = *cds_F3100_hed;
    const ControlsOff quiet(history);
    for (found.First(); !found.Eof(); found.Next()) {
        if (!HistoryListsReceipt(found.FieldByName(F("WHNUMB")).AsInteger()))
            continue;
        history.Append();
        history.FieldByName(F("bunho"))
            .setAsString(HistoryNumber(found.FieldByName(F("bunho")).AsString(),
                                       found.FieldByName(F("ibgo_il")).AsString()));
        for (const char *name : {"WHADNB_name", "WHNUMB", "WHMONTH", "gubun", "WHADNB", "WHBIGO"})
            history.FieldByName(F(name)).setAsString(found.FieldByName(F(name)).AsString());
        history.FieldByName(F("check")).setAsString(HistoryCheck(found.FieldByName(F("WHBIGO")).AsString()));
        history.Post();
    }
    history.First();
}

void TF10021_Warehouse::grid_SdStockCellClick()
{
    DataSet &receipt = *vtb_3100_hed;
    if (!receipt.Active() || receipt.IsEmpty())
        return;
    // Read first: a failed read (to the error box) leaves the lines as they were.
    cds_F3101_det->Close();
    SetTextParam(*cds_F3101_det, "A_CMCD", MyConfig.CompanyCode);
    SetTextParam(*cds_F3101_det, "A_BUUT", MyConfig.StoreCode);
    SetTextParam(*cds_F3101_det, "A_MONTH", receipt.FieldByName(F("WHMONTH")).AsString());
    SetParam(*cds_F3101_det, FieldType::Integer, "A_NUMB", receipt.FieldByName(F("WHNUMB")).AsInteger());
    SetParam(*cds_F3101_det, FieldType::SmallInt, "A_gubun", receipt.FieldByName(F("gubun")).AsInteger());
    cds_F3101_det->Open();
    emptyLines();
    ui->Edit4->clear();
    ui->Edit4->setText(receipt.FieldByName(F("WHADNB")).AsString());
    ui->lab_JijemAalrim->setText(receipt.FieldByName(F("WHADNB_name")).AsString());
    FillLines(*VTB_PATTERNBALJU, *cds_F3101_det,
              {{"ADSEQ", "WDSEQ"},     {"IMITNB", "WDITNB"},   {"IMNAME", "IMNAME"},
               {"ADUNIT", "WDUNIT"},   {"IMITTY", "itty_name"}, {"ADQTY", "wdbaqty"},
               {"ADUPRC", "WDUPRC"},   {"ADUPRC000", "WDUPRC"}, {"SUSUM", "WDBANUMB"},
               {"SIZE", "size"}},
              LineCopy::ByLineType, [](DataSet &line, DataSet &) { line.FieldByName(F("JrADQTY")).setAsFloat(0); });
    m_historyLines = true;
}

void TF10021_Warehouse::focusQuantity()
{
    FocusQuantity(ui->MirelGrid1);
}

void TF10021_Warehouse::btn_EnterClick()
{
    NextLine(*VTB_PATTERNBALJU);
}

void TF10021_Warehouse::KeyPadMouseUp(int tag)
{
    TypePadKey(ui->MirelGrid1, *VTB_PATTERNBALJU, tag);
}

void TF10021_Warehouse::PageList(TMCustomDBGrid *grid, int tag)
{
    // The list pairs move the other way round: the upper button forward.
    const int rows = grid == ui->grid_SdStock ? std::max(1, ui->grid_SdStock->VisibleRowCount()) : ListPage;
    PageGrid(grid, tag == kPageUpTag ? kPageDownTag : kPageUpTag, rows);
}

void TF10021_Warehouse::PageLines(int tag)
{
    if (VTB_PATTERNBALJU->IsEmpty())
        return;
    PageGrid(ui->MirelGrid1, tag, LinePage);
}

void TF10021_Warehouse::btn_MenuClick()
{
    btn_EnterClick();
    if (!HasWriteRight(QStringLiteral("F30_WAREHOUSEENTRY")))
        return;
    // A receipt without lines would book nothing: nothing is written.
    if (VTB_PATTERNBALJU->IsEmpty())
        return;
    if (m_historyLines) {
        ShowMessageBox(QStringLiteral("입고내역은 다시 입고할 수 없습니다."), mkNotice, 2000);
        return;
    }
    const QString supplier = ui->Edit4->text().trimmed();
    if (Suppliers->Name().isEmpty() || supplier.isEmpty() || supplier == QString::fromUtf8(NoSupplier)) {
        ShowMessageBox(QStringLiteral("입고할 지점을 선택해 주세요!"), mkNotice, 2000);
        return;
    }
    if (ui->combo_Tax->currentText() == QStringLiteral("기타")) {
        ui->combo_Tax->setFocus();
        ShowMessageBox(QStringLiteral("입고시 기타는 포함되지 않습니다"), mkNotice, 2000);
        return;
    }
    if (AskMessageBox(Suppliers->Name() + QStringLiteral("거래처의 입고 내역을 입고 하시겠습니까?"), mkOkCancel) != mrYes)
        return;
    if (!RunLogged(QStringLiteral("F1002_Warehouse.cds_Ipgo.입고 저장 Error:"), [&] {
        saveReceipt();
    })) {
        ShowMessageBox(QStringLiteral("입고 저장에 실패하였습니다."), mkNotice, 3000);
        return;
    }
    m_number->completed();
    LoadScreen();
    resetAfterSave();
}

// Header, then every line in order; the lines send the order line they
// receive (the order's own month and line) and their amounts by tax kind.
void TF10021_Warehouse::saveReceipt()
{
    const QDate date = ui->date_Wantdate->date();
    const QString month = date.toString(QStringLiteral("yyyyMM"));
    const QString supplier = ui->Edit4->text().trimmed();
    const qint64 number = m_number->numberFor(DocumentKind, month, supplier);
    ui->Edit3->setText(QString::number(number));

    DataSet &lines = *VTB_PATTERNBALJU;
    QList<ReceivedQuantity> quantities;
    for (int row = 0; row < lines.rowCount(); ++row) {
        DataSet::RowScope scope(lines, row);
        quantities.append({lines.FieldByName(F("chulgo_qty")).AsFloat(), lines.FieldByName(F("ADQTY")).AsFloat()});
    }

    ClientDataSet &ipgo = *cds_Ipgo;
    const QString taxKind = ui->Edit7->text();
    SetParam(ipgo, FieldType::SmallInt, "A_GUBUN", 1);
    SetTextParam(ipgo, "A_WHCMCD", MyConfig.CompanyCode);
    SetTextParam(ipgo, "A_WHBUUT", MyConfig.StoreCode);
    SetTextParam(ipgo, "A_WHMONTH", month);
    SetTextParam(ipgo, "A_WHYEAR", date.toString(QStringLiteral("yyyy")));
    SetTextParam(ipgo, "A_WHDATE", date.toString(QStringLiteral("yyyyMMdd")));
    SetParam(ipgo, FieldType::Integer, "A_WHNUMB", number);
    SetTextParam(ipgo, "A_WHADNB", supplier);
    SetTextParam(ipgo, "A_WHIBTY", QStringLiteral("001"));
    SetTextParam(ipgo, "A_WHSEME", QString());
    SetTextParam(ipgo, "A_WHCPYEAR", QString());
    SetTextParam(ipgo, "A_WHBIGO", CompletionFlag(quantities));
    SetTextParam(ipgo, "A_WHPOID", MyConfig.PosNo);
    SetTextParam(ipgo, "A_WHWORK", MyConfig.UIADNB);
    SetTextParam(ipgo, "A_WHPGID", kFormName);
    SetParam(ipgo, FieldType::Integer, "A_WHCPSEQ", 0);
    SetTextParam(ipgo, "A_Whtxgu", taxKind);
    SetTextParam(ipgo, "A_WHKSGU", ui->Edit7_1->text());
    ipgo.Execute();

    int seq = 0;
    for (int row = 0; row < lines.rowCount(); ++row) {
        DataSet::RowScope scope(lines, row);
        auto field = [&lines](const char *name) -> const Field & { return lines.FieldByName(F(name)); };
        const double quantity = field("ADQTY").AsFloat();
        const ReceiptLineAmounts amounts = LineAmounts(field("ADAMT").AsCurrency(), taxKind);
        // A line of an order names that order's line; a pattern line sends
        // the receipt's month and its own place, with no order number.
        const bool ofOrder = !field("BAMONTH").AsString().isEmpty();
        SetParam(ipgo, FieldType::SmallInt, "A_GUBUN", 2);
        SetTextParam(ipgo, "A_WHKSGU", QString());
        SetTextParam(ipgo, "A_WDCMCD", MyConfig.CompanyCode);
        SetTextParam(ipgo, "A_WDBUUT", MyConfig.StoreCode);
        SetTextParam(ipgo, "A_WDMONTH", month);
        SetParam(ipgo, FieldType::Integer, "A_WDNUMB", number);
        SetParam(ipgo, FieldType::Integer, "A_WDSEQ", ++seq);
        SetTextParam(ipgo, "A_WDITNB", field("IMITNB").AsString());
        SetTextParam(ipgo, "A_WDUNIT", field("ADUNIT").AsString());
        for (const char *empty : {"A_WDBAR", "A_WDRFID", "A_WDCHMONTH", "A_WDSEMONTH", "A_WHbars", "A_WHlinb",
                                  "A_WHBUSE", "A_EXPIRYDT", "A_WDTXGU"})
            SetTextParam(ipgo, empty, QString());
        SetParam(ipgo, FieldType::Float, "A_WDQTY", quantity);
        SetParam(ipgo, FieldType::Integer, "A_WDUPRC", field("ADUPRC000").AsInteger());
        SetParam(ipgo, FieldType::Integer, "A_WDAMT", amounts.amount);
        SetParam(ipgo, FieldType::Integer, "A_Wdgamt", amounts.supply);
        SetParam(ipgo, FieldType::Integer, "A_Wdtax", amounts.vat);
        SetLineUnitParams(ipgo, "A_WD", lines);
        SetTextParam(ipgo, "A_WDBAMONTH", ofOrder ? field("BAMONTH").AsString() : month);
        SetParam(ipgo, FieldType::Integer, "A_WDBANUMB", field("SUSUM").AsInteger());
        SetParam(ipgo, FieldType::Integer, "A_WDBASEQ",
                 ofOrder ? field("BASEQ").AsInteger() : field("ADSEQ").AsInteger());
        for (const char *zero : {"A_WDCHNUMB", "A_WDCHSEQ", "A_WDSENUMB", "A_WDSESEQ"})
            SetParam(ipgo, FieldType::Integer, zero, 0);
        SetTextParam(ipgo, "A_WDWORK", MyConfig.UIADNB);
        SetTextParam(ipgo, "A_WDPGID", kFormName);
        SetTextParam(ipgo, "A_WdCHBUUT", supplier);
        SetTextParam(ipgo, "A_BAQTY", QString::number(quantity));
        SetTextParam(ipgo, "A_EDflYn", QStringLiteral("2"));
        ipgo.Execute();
    }
}

void TF10021_Warehouse::resetAfterSave()
{
    emptyLines();
    ui->lab_JijemAalrim->clear();
    resetTaxKind();
    fixSupplier(false);
    ui->CMB_ADNBNAME->setCurrentIndex(-1);
    ui->Edit4->setText(QString::fromUtf8(NoSupplier));
    ui->Edit3->setText(QStringLiteral("0"));
}

void TF10021_Warehouse::btn_OkClick()
{
    DataSet &receipt = *vtb_3100_hed;
    // Without a history row there is nothing to close.
    if (!receipt.Active() || receipt.IsEmpty())
        return;
    if (AskMessageBox(QStringLiteral("미입고 잔량삭제 하시겠습니까?"), mkOkCancel) != mrYes)
        return;
    if (receipt.FieldByName(F("check")).AsString() == QStringLiteral("완")) {
        ShowMessageBox(QStringLiteral("입고완료 된것은 강제완료 할수 없습니다."), mkNotice, 3000);
        return;
    }
    if (!RunLogged(QStringLiteral("F1002_Warehouse.cds_F2100_hedup Error:"), [&] {
        ClientDataSet &close = *cds_F2100_hedup;
        SetTextParam(close, "COMPCODE", MyConfig.CompanyCode);
        SetTextParam(close, "STORECODE", MyConfig.StoreCode);
        SetTextParam(close, "a_month", receipt.FieldByName(F("WHMONTH")).AsString());
        SetParam(close, FieldType::Integer, "Edit1", receipt.FieldByName(F("WHNUMB")).AsInteger());
        SetTextParam(close, "OHWORK", MyConfig.UIADNB);
        SetTextParam(close, "OHPGID", kFormName);
        SetParam(close, FieldType::Integer, "Phedfl", 1);
        close.Execute();
    }))
        return;
    resetAfterSave();
    // The closed order leaves the list of open orders.
    cds_F2100_hed->Open();
    ShowMessageBox(QStringLiteral("미입고 잔량삭제 처리 되었습니다"), mkNotice, 2000);
    btn_SdStockHedsearchClick();
}

void TF10021_Warehouse::btn_CloseClick()
{
    if (ConfirmClose(VTB_PATTERNBALJU->Active() ? VTB_PATTERNBALJU->RecordCount() : 0))
        done(CloseResult);
}
