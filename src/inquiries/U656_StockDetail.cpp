#include "inquiries/U656_StockDetail.h"
#include "ui_U656_StockDetail.h"

#include "Components/MirelComp/MirelDBEdit.h"
#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/PageGrid.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/PrintThread.h"
#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "platform/dataset/ControlsOff.h"
#include "inquiries/HistoryListForm.h"
#include "inquiries/HistorySlips.h"
#include "inquiries/RefreshRows.h"
#include "inquiries/U20_PurchaseInquiry.h"
#include "inquiries/U20_SalesOrderInquiry.h"
#include "inquiries/U30_DeliveryInquiry.h"
#include "inquiries/U30_WarehouseInquiry.h"
#include "platform/dataset/Vat.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"
#include "shell/MenuTags.h"

#include <QDateEdit>
#include <QSignalBlocker>
#include <QShowEvent>

#include <stdexcept>

TF656_StockDetail *F656_StockDetail = nullptr;

namespace {

// Titles, column and row lines, whole rows.
constexpr int kListOptions = dgTitles | dgColLines | dgRowLines | dgRowSelect;
// A line grid while the screen is shown: several lines, each touch toggling
// one; and what it gets back on close.
constexpr int kToggleOptions = dgTitles | dgColLines | dgRowLines | dgAlwaysShowSelection | dgMultiSelect; // 4708
constexpr int kClosedOptions = dgTitles | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection; // 868
constexpr int kGridFontPixels = 14;
constexpr int kGridRowHeight = 21;

struct Column {
    const char *field, *title;
    int width;
    bool centred = false;
};

// What tells the document pages apart: their calls, fields, components and
// grid columns.
struct PageSpec {
    const char *headers, *headerProvider, *headerProcedure;
    const char *lines, *lineProvider, *lineProcedure;
    const char *monthField, *numberField, *taxField, *amountField, *typeField;
    bool entrySearch;    // receipts and releases: a_cmcd ... a_month, a_numb; else A_CMCD ... a_gubun2
    bool passesEntryKind; // receipts: the header's gubun goes with the line call as A_gubun
    int headerRows, lineRows;
    const char *from, *to, *search, *headerGrid, *lineGrid, *sum, *supply, *vat;
    std::array<const char *, 5> typeButtons; // all, product, semi-product, goods, materials
    const char *headerUp, *headerDown, *lineUp, *lineDown;
    std::vector<Column> headerColumns, lineColumns;
    // Printing: the button, the question, the A4 list and the log text of a
    // slip that failed.
    const char *print, *question;
    std::unique_ptr<THistoryListForm> (*list)(const QDate &from, const QDate &to);
    const char *slipError;
};

template <class Form>
std::unique_ptr<THistoryListForm> makeList(const QDate &from, const QDate &to)
{
    return std::make_unique<Form>(from, to);
}

const std::array<PageSpec, TF656_StockDetail::DocumentPageCount> &pageSpecs()
{
    static const std::array<PageSpec, TF656_StockDetail::DocumentPageCount> specs = {{
        {"cds_F2100_hed", "dspStoredProc1", "[GP_SELECT_F2100_POPUPPURCHASE]",
         "cds_F2101_det", "dspStoredProc2", "[GP_SELECT_F2101_POPUPPURCHASE]",
         "PHMONTH", "PHNUMB", "PHtxgu", "PDAMT", "imitty_name", false, false, 28, 26,
         "date_BjSearch1", "date_BjSearch2", "btn_BjStockDetailsearch", "grid_BjStock1", "grid_RegStoragelist",
         "edt_BaljuSum", "edt_BaljuGong", "edt_BaljuVAT",
         {"btn_BjAll", "btn_BjJefum", "btn_BjBanjefum", "btn_BjSangfum", "btn_BjJeruo"},
         "btn_BjStock1Up", "btn_BjStock1Down", "bnt_RegStoragelistUp", "bnt_RegStoragelistDown",
         {{"bunho", "발주번호", 101}, {"PHADNB_name", "거래처명", 157}},
         {{"PDSEQ", "No", 37}, {"imitty_name", "유형", 59, true}, {"imname", "품명", 177}, {"PDUNIT", "단위", 50, true},
          {"PDQTY", "수량", 70}, {"PDUPRC", "단가", 70}, {"PDAMT", "금액", 89}, {"gubun", "상태", 101}},
         "btn_SbPrint", "발주내역서 A4 용지로 출력하시겠읍니까?", makeList<TF20_PURCHASEINQUIRY>,
         "F656_StockDetail_SengSan.btn_SbPrint Error."},
        {"cds_F3100_hed", "dspStoredProc3", "[GP_SELECT_F3100_WAREHOUSEENTRY_POS]",
         "cds_F3101_det", "dspStoredProc4", "[GP_SELECT_F3101_WAREHOUSEENTRY_POS]",
         "WHMONTH", "WHNUMB", "whtxgu", "WDAMT", "itty_name", true, true, 28, 26,
         "date_SdSearch1", "date_SdSearch2", "btn_SdStockHedsearch", "grid_SdStock1", "grid_SdStock2",
         "edt_IbgoSum", "edt_IpgoGong", "edt_IpgoVAT",
         {"btn_SdAll", "btn_SdJefum", "btn_SdBanjefum", "btn_SdSangfum", "btn_SdJeruo"},
         "btn_SdStock1Up", "btn_SdStock1Down", "btn_SdStock2Up", "btn_SdStock2Down",
         {{"bunho", "입고번호", 101}, {"WHADNB_name", "거래처명", 157}},
         {{"WDSEQ", "No", 37}, {"itty_name", "유형", 59, true}, {"IMNAME", "품명", 177}, {"WDUNIT", "단위", 51, true},
          {"WDQTY", "수량", 70}, {"WDUPRC", "단가", 70}, {"WDAMT", "금액", 89}, {"bunho", "발주번호", 100}},
         "MirelImgBtn12", "입고내역서 A4 용지로 출력하시겠읍니까?", makeList<TF30_WAREHOUSEINQUIRY>,
         "F656_StockDetail_SengSan.btn_SiPrint Error."},
        {"cds_F3200_hed", "dspStoredProc8", "[GP_SELECT_F3200_DELIVERYENTRY_POS]",
         "cds_F3201_det", "dspStoredProc9", "[GP_SELECT_F3201_DELIVERYENTRY]",
         "DHMONTH", "DHNUMB", "DHTXGU", "DDAMT", "itty_name", true, false, 10, 10,
         "date_ChSearch1", "date_ChSearch2", "btn_chulgoStockHedsearch", "grid_ChStock1", "grid_ChStock2",
         "edt_ChulgoSum", "edt_ChulgoGong", "edt_ChulgoVAT",
         {"btn_ChAll", "btn_ChJefum", "btn_ChBanjefum", "btn_ChSangfum", "btn_ChJeruo"},
         "btn_ChStock1Up", "btn_ChStock1Down", "btn_ChStock2Up", "btn_ChStock2Down",
         {{"bunho", "출고번호", 101}, {"DHADNB_name", "거래처명", 157}},
         {{"DDSEQ", "No", 31}, {"itty_name", "유형", 55, true}, {"IMNAME", "품명", 177}, {"DDUNIT", "단위", 37, true},
          {"DDQTY", "출수량", 57}, {"DDUPRC", "단가", 67}, {"DDAMT", "금액", 81}, {"bunho", "수주번호", 90},
          {"odqty", "수수량", 57}},
         "btn_ScPrint", "출고내역서 A4 용지로 출력하시겠읍니까?", makeList<TF30_DELIVERYINQUIRY>,
         "F656_StockDetail_SengSan.btn_ScPrint Error."},
        {"cds_F2400_hed", "dspStoredProc5", "[GP_SELECT_F2400_POPUPSALES]",
         "cds_F2401_det", "dspStoredProc7", "[GP_SELECT_F2401_POPUPSALES]",
         "OHMONTH", "OHNUMB", "oxtxgu", "ODAMT", "imitty_name", false, false, 10, 10,
         "date_SuSearch1", "date_SuSearch2", "btn_SujuStockHedsearch", "grid_SjStock1", "grid_SjStock2",
         "edt_SujuSum", "edt_SujuGong", "edt_SujuVAT",
         {"btn_SuAll", "btn_SuJefum", "btn_SuBanjefum", "btn_SuSangfum", "btn_SuJeruo"},
         "btn_SjStock1Up", "btn_SjStock1Down", "btn_SjStock2Up", "btn_SjStock2Down",
         {{"bunho", "수주번호", 101}, {"oHADNB_name", "거래처명", 157}},
         {{"ODSEQ", "No", 30}, {"imitty_name", "유형", 50, true}, {"IMNAME", "품명", 173}, {"ODUNIT", "단위", 47, true},
          {"ODQTY", "수수량", 57}, {"ODUPRC", "단가", 67}, {"ODAMT", "금액", 81}, {"gubun", "상태", 90},
          {"chulgo_qty", "수수량", 57}},
         "btn_SsPrint", "수주내역서 A4 용지로 출력하시겠읍니까?", makeList<TF20_SALESORDERINQUIRY>,
         "F656_StockDetail_SengSan.btn_SsPrint Error."},
    }};
    return specs;
}

constexpr ItemTypeButton kTypeButtons[] = {ItemTypeButton::All, ItemTypeButton::Product, ItemTypeButton::SemiProduct,
                                           ItemTypeButton::Goods, ItemTypeButton::Materials};

QString F(const char *name) { return QLatin1String(name); }

// A control of the form by its component name; a missing one is a fault of
// the layout.
template <class T>
T *child(QWidget *form, const char *name)
{
    T *w = form->findChild<T *>(F(name));
    if (!w)
        throw std::logic_error(std::string("the history screen has no ") + name);
    return w;
}

void setUpGrid(TMirelGrid *grid, DataSet *dataSet, const std::vector<Column> &columns)
{
    QFont font = grid->font();
    font.setPixelSize(kGridFontPixels);
    font.setBold(true);
    grid->setFont(font);
    grid->setTitleFont(font);
    grid->setOptions(kListOptions);
    grid->setScrollBars(0);
    grid->setDefaultRowHeight(kGridRowHeight);
    grid->setDataSource(dataSet);
    for (const Column &c : columns) {
        TColumn *column = AddGridColumn(grid, F(c.field), QString::fromUtf8(c.title), c.width);
        column->Title()->setAlignment(Qt::AlignCenter);
        if (c.centred)
            column->setAlignment(Qt::AlignCenter);
    }
}

// The supply value and VAT shown for a document total: none for a total of
// zero, else by the tax kind read as a number; a kind that is no 1, 2 or 3
// (or no number) splits as "other": the total truncated and no VAT.
VatSplit SplitDocumentTotal(Currency total, const QString &taxCode)
{
    bool isNumber = false;
    const int code = taxCode.trimmed().toInt(&isNumber);
    const TaxKind kind = isNumber && code >= 1 && code <= 3 ? TaxKind(code) : TaxKind::Other;
    return SplitVat(total, kind);
}

// The production page's lists.
const std::vector<Column> kProductionColumns = {
    {"RDITNB", "품목번호", 71}, {"imname", "품명", 251},      {"itty_name", "유형", 50}, {"rdunit", "단위", 50},
    {"RDtQTY", "총 생산량", 90}, {"RDLQTY", "손실량", 85}, {"rdqty", "생산량", 85}};
const std::vector<Column> kMajorColumns = {{"GKNAME", "대분류", 159}};
const std::vector<Column> kMiddleColumns = {{"MKNAME", "중분류", 159}};
constexpr int kProductionRows = 26;
constexpr int kCategoryRows = 11;

// The production figures' stored fields.
const QList<FieldDef> kProductionFields = {
    {"RDITNB", FieldType::String, 6},    {"RDtQTY", FieldType::Float},        {"RDLQTY", FieldType::Float},
    {"rdqty", FieldType::Float},         {"imname", FieldType::String, 100},  {"itty_name", FieldType::String, 50},
    {"imsdki", FieldType::String, 3},    {"imsjki", FieldType::String, 3},    {"gkname", FieldType::String, 50},
    {"mkname", FieldType::String, 50},   {"rdunit", FieldType::String, 3},    {"rdmdan", FieldType::String, 3},
    {"rdldan", FieldType::String, 3},    {"rdmcal", FieldType::Float},        {"rdamt", FieldType::Integer},
    {"rduprc", FieldType::Float},
};

QString dayKey(const QDate &day) { return day.toString(QStringLiteral("yyyyMMdd")); }

// Hands a slip to the receipt printer's thread: one copy, the lines, the
// request. A busy thread may drop it (nothing is asked for then); no printer
// thread is an error.
void PrintSlip(const QStringList &lines)
{
    if (!ReceiptPrintThread)
        throw std::runtime_error("no receipt printer");
    ReceiptPrintThread->Copies = 1;
    if (ReceiptPrintThread->Print(lines))
        ReceiptPrintThread->PrintRequested = true;
}

} // namespace

struct TF656_StockDetail::DocumentPage {
    const PageSpec *spec = nullptr;
    ClientDataSet *headers = nullptr, *lines = nullptr;
    QDateEdit *from = nullptr, *to = nullptr;
    TMirelGrid *headerGrid = nullptr, *lineGrid = nullptr;
    TMirelDBEdit *sum = nullptr;
    QLineEdit *supply = nullptr, *vat = nullptr;
    TMirelImgBtn *allTypes = nullptr;
};

TF656_StockDetail::TF656_StockDetail(QWidget *parent)
    : TWorkScreen(MenuTag::StockDetail, parent), ui(std::make_unique<Ui::TF656_StockDetail>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("F656_StockDetail"));
    setFixedSize(ScreenWidth, ScreenHeight);
    bindMenuButton(ui->btn_AllMenuView);

    for (int i = 0; i < DocumentPageCount; ++i) {
        const PageSpec &s = pageSpecs()[size_t(i)];
        auto p = std::make_unique<DocumentPage>();
        p->spec = &s;
        p->headers = NewRemoteCall(this, s.headers, s.headerProvider, F(s.headerProcedure));
        p->lines = NewRemoteCall(this, s.lines, s.lineProvider, F(s.lineProcedure));
        p->from = child<QDateEdit>(this, s.from);
        p->to = child<QDateEdit>(this, s.to);
        p->headerGrid = child<TMirelGrid>(this, s.headerGrid);
        p->lineGrid = child<TMirelGrid>(this, s.lineGrid);
        p->sum = child<TMirelDBEdit>(this, s.sum);
        p->supply = child<QLineEdit>(this, s.supply);
        p->vat = child<QLineEdit>(this, s.vat);
        setUpGrid(p->headerGrid, p->headers, s.headerColumns);
        setUpGrid(p->lineGrid, p->lines, s.lineColumns);
        // Amounts without decimals, quantities with up to two; the line
        // number as it is.
        p->lines->AfterOpen = [&s](DataSet &ds) {
            for (size_t c = 1; c < s.lineColumns.size(); ++c) {
                Field *f = ds.FindField(F(s.lineColumns[c].field));
                if (!f)
                    continue;
                if (f->DataType() == FieldType::Float)
                    f->setDisplayFormat(QStringLiteral("#,##0.##"));
                else if (f->DataType() == FieldType::Integer || f->DataType() == FieldType::Currency)
                    f->setDisplayFormat(QStringLiteral("#,##0"));
            }
        };

        const Page page = Page(i);
        connect(child<TMirelImgBtn>(this, s.search), &TMirelImgBtn::OnClick, this, [this, page] { HeaderSearch(page); });
        connect(p->headerGrid, &TMirelGrid::OnCellClick, this, [this, page] { HeaderTouch(page); });
        for (size_t t = 0; t < s.typeButtons.size(); ++t)
            connect(child<TMirelImgBtn>(this, s.typeButtons[t]), &TMirelImgBtn::OnClick, this,
                    [this, page, t] { ItemTypeClick(page, kTypeButtons[t]); });
        p->allTypes = child<TMirelImgBtn>(this, s.typeButtons[0]);
        const auto pageBy = [this](const char *name, TMirelGrid *grid, int rows) {
            TMirelImgBtn *b = child<TMirelImgBtn>(this, name);
            connect(b, &TMirelImgBtn::OnClick, this, [b, grid, rows] { PageGrid(grid, b->Tag(), rows); });
        };
        pageBy(s.headerUp, p->headerGrid, s.headerRows);
        pageBy(s.headerDown, p->headerGrid, s.headerRows);
        pageBy(s.lineUp, p->lineGrid, s.lineRows);
        pageBy(s.lineDown, p->lineGrid, s.lineRows);
        connect(child<TMirelImgBtn>(this, s.print), &TMirelImgBtn::OnClick, this,
                [this, page] { PrintDocumentPage(page); });
        m_pages[size_t(i)] = std::move(p);
    }

    SetUpProductionPage();

    for (TMirelImgBtn *b : {ui->btn_Balju, ui->btn_Ipgo, ui->btn_Chulgo, ui->btn_Suju, ui->btn_Sengsan})
        connect(b, &TMirelImgBtn::OnMouseUp, this, [this, b] { PageButtonUp(b->Tag()); });
    connect(ui->btn_Close, &TMirelImgBtn::OnClick, this, [this](QWidget *sender) { btn_HanClick(sender); });
}

TF656_StockDetail::~TF656_StockDetail()
{
    if (F656_StockDetail == this)
        F656_StockDetail = nullptr;
}

TF656_StockDetail::DocumentPage &TF656_StockDetail::page(Page p) const
{
    if (int(p) < 0 || int(p) >= DocumentPageCount)
        throw std::out_of_range("not a document page");
    return *m_pages[size_t(p)];
}

ClientDataSet *TF656_StockDetail::Headers(Page p) const
{
    return page(p).headers;
}

ClientDataSet *TF656_StockDetail::Lines(Page p) const
{
    return page(p).lines;
}

TF656_StockDetail::Page TF656_StockDetail::CurrentPage() const
{
    return Page(ui->pgc_StockDetail1->currentIndex());
}

void TF656_StockDetail::showEvent(QShowEvent *event)
{
    TWorkScreen::showEvent(event); // menu state "0"
    if (event->spontaneous() || m_shown)
        return;
    m_shown = true;
    FormShow();
}

void TF656_StockDetail::FormShow()
{
    const QDate today = os::Now().date();
    for (const auto &p : m_pages) {
        p->from->setDate(today);
        p->to->setDate(today);
    }
    {
        // Showing is no change of the from date: the production page has no
        // search day until a search or the user's change.
        const QSignalBlocker quiet(ui->date_SsSearch1);
        ui->date_SsSearch1->setDate(today);
    }
    ui->date_SsSearch2->setDate(today);
    ui->btn_Balju->setDown(true);
    ui->pgc_StockDetail1->setCurrentIndex(Orders);

    cds_F0060_debun->Close();
    SetTextParam(*cds_F0060_debun, QStringLiteral("COMPCODE"), MyConfig.CompanyCode);
    SetTextParam(*cds_F0060_debun, QStringLiteral("STORECODE"), MyConfig.StoreCode);
    cds_F0060_debun->Open();

    for (TMirelGrid *g : {ui->grid_SdStock2, ui->grid_ChStock2}) {
        g->setOptions(kToggleOptions);
        g->setToggleSelect(true);
    }
}

void TF656_StockDetail::done(int result)
{
    for (TMirelGrid *g : {ui->grid_SdStock2, ui->grid_ChStock2}) {
        g->setToggleSelect(false);
        g->setOptions(kClosedOptions);
    }
    TWorkScreen::done(result);
}

void TF656_StockDetail::btn_HanClick(QWidget *Sender)
{
    auto *button = qobject_cast<TMirelButtonBase *>(Sender);
    if (button && button->Tag() == -1)
        done(ClosedResult);
}

void TF656_StockDetail::CloseOperation()
{
    btn_HanClick(nullptr); // the menu's own button: the menu closes the screen itself
}

void TF656_StockDetail::PageButtonUp(int tag)
{
    const int index = tag - FirstPageTag;
    if (index >= 0 && index < ui->pgc_StockDetail1->count())
        ui->pgc_StockDetail1->setCurrentIndex(index);
}

void TF656_StockDetail::HeaderSearch(Page which)
{
    DocumentPage &p = page(which);
    ClientDataSet &h = *p.headers;
    const QString from = p.from->date().toString(QStringLiteral("yyyyMMdd"));
    const QString to = p.to->date().toString(QStringLiteral("yyyyMMdd"));
    if (p.spec->entrySearch) {
        SetTextParam(h, QStringLiteral("a_cmcd"), MyConfig.CompanyCode);
        SetTextParam(h, QStringLiteral("a_buut"), MyConfig.StoreCode);
        SetTextParam(h, QStringLiteral("a_name"), QString());
        SetTextParam(h, QStringLiteral("a_stdt"), from);
        SetTextParam(h, QStringLiteral("a_eddt"), to);
        SetTextParam(h, QStringLiteral("a_month"), QString());
        SetParam(h, FieldType::Integer, QStringLiteral("a_numb"), 0);
    } else {
        SetTextParam(h, QStringLiteral("A_CMCD"), MyConfig.CompanyCode);
        SetTextParam(h, QStringLiteral("A_BUUT"), MyConfig.StoreCode);
        SetTextParam(h, QStringLiteral("a_name"), QString());
        SetTextParam(h, QStringLiteral("a_gubun1"), QStringLiteral("1"));
        SetTextParam(h, QStringLiteral("a_stdt"), from);
        SetTextParam(h, QStringLiteral("a_eddt"), to);
        SetTextParam(h, QStringLiteral("a_gubun2"), QStringLiteral("1"));
    }
    OpenKeepingRows(h); // a server error reaches the error box; the rows stay
    // The all-types button goes down and the lines' filter goes with it.
    p.allTypes->setDown(true);
    ItemTypeFilter(*p.lines, F(p.spec->typeField), ItemTypeButton::All);
}

void TF656_StockDetail::HeaderTouch(Page which)
{
    DocumentPage &p = page(which);
    ClientDataSet &h = *p.headers;
    if (!h.Active() || h.IsEmpty())
        return;
    ClientDataSet &lines = *p.lines;
    SetTextParam(lines, QStringLiteral("A_CMCD"), MyConfig.CompanyCode);
    SetTextParam(lines, QStringLiteral("A_BUUT"), MyConfig.StoreCode);
    SetTextParam(lines, QStringLiteral("A_MONTH"), h.FieldByName(F(p.spec->monthField)).AsString());
    SetParam(lines, FieldType::Integer, QStringLiteral("A_NUMB"), h.FieldByName(F(p.spec->numberField)).AsInteger());
    if (p.spec->passesEntryKind)
        SetParam(lines, FieldType::SmallInt, QStringLiteral("A_gubun"), h.FieldByName(QStringLiteral("gubun")).AsInteger());
    const QString taxCode = h.FieldByName(F(p.spec->taxField)).AsString();

    // The grid is updated once, however the load or the sum ends.
    const ControlsOff quiet(lines);
    OpenKeepingRows(lines); // a server error reaches the error box; the lines stay
    Currency total;
    const Field &amount = lines.FieldByName(F(p.spec->amountField));
    for (lines.First(); !lines.Eof(); lines.Next())
        total += amount.AsCurrency();
    lines.First();

    p.sum->setText(FormatAmount(total));
    if (p.sum->text().isEmpty() || p.sum->text() == QLatin1String("0")) {
        p.supply->setText(QStringLiteral("0"));
        p.vat->setText(QStringLiteral("0"));
        return;
    }
    const VatSplit split = SplitDocumentTotal(total, taxCode);
    p.supply->setText(FormatAmount(Currency(split.supply)));
    p.vat->setText(FormatAmount(Currency(split.vat)));
}

void TF656_StockDetail::ItemTypeClick(Page which, ItemTypeButton button)
{
    DocumentPage &p = page(which);
    ItemTypeFilter(*p.lines, F(p.spec->typeField), button);
}

// --- the production page ---

void TF656_StockDetail::SetUpProductionPage()
{
    cds_F3300 = NewRemoteCall(this, "cds_F3300", "dspStoredProc7", QStringLiteral("[GP_SELECT_F3300_PRODUCTINQUIRY]"));
    cds_F3300->DeclareStoredFields(kProductionFields);
    cds_F3300->FieldByName(QStringLiteral("RDtQTY")).setDisplayFormat(QStringLiteral("#,##0.##"));
    cds_F0060_debun = NewRemoteCall(this, "cds_F0060_debun", "dspStoredProc10",
                                    QStringLiteral("[GP_SELECT_F0060_StockDetail_SengSang_Search]"));
    cds_F0061_jungbun = NewRemoteCall(this, "cds_F0061_jungbun", "dspStoredProc11",
                                      QStringLiteral("[GP_SELECT_F0061_StockDetail_SengSang_Search]"));

    setUpGrid(ui->grid_SsStock, cds_F3300, kProductionColumns);
    setUpGrid(ui->grid_Debun, cds_F0060_debun, kMajorColumns);
    setUpGrid(ui->grid_Jungbun, cds_F0061_jungbun, kMiddleColumns);
    for (TMirelGrid *g : {ui->grid_Debun, ui->grid_Jungbun})
        g->setOptions(kListOptions | dgAlwaysShowSelection);

    connect(ui->MirelImgBtn2, &TMirelImgBtn::OnClick, this, [this] { ProductionSearch(); });
    for (TMirelImgBtn *key : ui->sd_sengsan->findChildren<TMirelImgBtn *>())
        if (key->Tag() >= kNameIndexFirst && key->Tag() <= kNameIndexLast)
            connect(key, &TMirelImgBtn::OnClick, this, [this, key] { btn_SsHnaClick(key->Tag()); });
    const std::pair<TMirelImgBtn *, QString> types[] = {
        {ui->btn_SsAll, QString()}, {ui->btn_SsJefum, QStringLiteral("제품")}, {ui->btn_SsBanjefum, QStringLiteral("반제품")}};
    for (const auto &[button, type] : types)
        connect(button, &TMirelImgBtn::OnClick, this, [this, type] { ProductionTypeClick(type); });
    connect(ui->date_SsSearch1, &QDateEdit::dateChanged, this, [this] { date_SsSearch1Change(); });
    connect(ui->Edit2, &QLineEdit::textChanged, this, [this] { Edit2Change(); });
    connect(ui->Edit3, &QLineEdit::textChanged, this, [this] { Edit3Change(); });
    // A touched category row goes into its edit; the edit's change filters.
    connect(ui->grid_Debun, &TMirelGrid::OnMouseUp, this, [this] {
        if (cds_F0060_debun->Active() && !cds_F0060_debun->IsEmpty())
            ui->Edit2->setText(cds_F0060_debun->FieldByName(QStringLiteral("GKGKID")).AsString());
    });
    connect(ui->grid_Jungbun, &TMirelGrid::OnMouseUp, this, [this] {
        if (cds_F0061_jungbun->Active() && !cds_F0061_jungbun->IsEmpty())
            ui->Edit3->setText(cds_F0061_jungbun->FieldByName(QStringLiteral("MKMKID")).AsString());
    });

    const std::tuple<TMirelImgBtn *, TMirelGrid *, int> paging[] = {
        {ui->btn_DebunUp, ui->grid_Debun, kCategoryRows},     {ui->btn_DebunDown, ui->grid_Debun, kCategoryRows},
        {ui->btn_JungbunUp, ui->grid_Jungbun, kCategoryRows}, {ui->btn_JungbunDown, ui->grid_Jungbun, kCategoryRows},
        {ui->btn_SsStockUp, ui->grid_SsStock, kProductionRows}, {ui->btn_SsStockDown, ui->grid_SsStock, kProductionRows}};
    for (const auto &[button, grid, rows] : paging)
        connect(button, &TMirelImgBtn::OnClick, this, [b = button, g = grid, n = rows] { PageGrid(g, b->Tag(), n); });
    connect(ui->btn_SssPrint, &TMirelImgBtn::OnClick, this, [this] { btn_SssPrintClick(); });
}

void TF656_StockDetail::ProductionSearch()
{
    ClientDataSet &f = *cds_F3300;
    const QString from = dayKey(ui->date_SsSearch1->date());
    SetTextParam(f, QStringLiteral("A_CMCD"), MyConfig.CompanyCode);
    SetTextParam(f, QStringLiteral("A_BUUT"), MyConfig.StoreCode);
    SetTextParam(f, QStringLiteral("a_STDT"), from);
    SetTextParam(f, QStringLiteral("a_EDDT"), dayKey(ui->date_SsSearch2->date()));
    for (const char *open : {"a_GKID", "a_mkid", "a_st_han", "a_ed_han"})
        SetTextParam(f, QLatin1String(open), QString());
    OpenKeepingRows(f); // a server error reaches the error box; the rows stay

    // A new search starts over: no category, no type, the all key.
    ui->Edit2->clear();
    ui->Edit5->clear();
    ui->Edit1->setText(from);
    ui->btn_SsAll->setDown(true);
    ui->btn_SsHanAll->setDown(true);
    m_production.search(from);
    ApplyNameIndexFilter(f, m_production);
}

void TF656_StockDetail::btn_SsHnaClick(int tag)
{
    m_production.pressKey(tag);
    ApplyNameIndexFilter(*cds_F3300, m_production);
}

void TF656_StockDetail::ProductionTypeClick(const QString &type)
{
    ui->Edit5->setText(type);
    m_production.pressType(type);
    ui->btn_SsHanAll->setDown(true);
    ApplyNameIndexFilter(*cds_F3300, m_production);
}

void TF656_StockDetail::date_SsSearch1Change()
{
    const QString day = dayKey(ui->date_SsSearch1->date());
    ui->Edit1->setText(day);
    m_production.searchDate = day;
}

void TF656_StockDetail::Edit2Change()
{
    m_production.chooseMajor(ui->Edit2->text());
    ui->Edit3->clear();
    ApplyNameIndexFilter(*cds_F3300, m_production);
    cds_F0061_jungbun->Close();
    SetTextParam(*cds_F0061_jungbun, QStringLiteral("COMPCODE"), MyConfig.CompanyCode);
    SetTextParam(*cds_F0061_jungbun, QStringLiteral("STORECODE"), MyConfig.StoreCode);
    SetTextParam(*cds_F0061_jungbun, QStringLiteral("Edit2"), ui->Edit2->text());
    cds_F0061_jungbun->Open();
}

void TF656_StockDetail::Edit3Change()
{
    m_production.chooseMiddle(ui->Edit3->text());
    ApplyNameIndexFilter(*cds_F3300, m_production);
}

// --- printing ---

void TF656_StockDetail::PrintDocumentPage(Page which)
{
    DocumentPage &p = page(which);
    if (AskMessageBox(QString::fromUtf8(p.spec->question), mkOkCancel) == mrYes) {
        // The list's own query decides whether there is anything to print;
        // its errors reach the error box.
        PreviewHistoryList(p.spec->list(p.from->date(), p.to->date()));
        return;
    }
    try {
        PrintSlip(DocumentSlip(DocumentSlipFieldsOf(which), *p.lines, p.sum->text(), MyConfig.PrintStockPrice,
                               os::Now()));
    } catch (const std::exception &) {
        WriteLog(QString::fromUtf8(p.spec->slipError));
    }
}

void TF656_StockDetail::btn_SssPrintClick()
{
    try {
        PrintSlip(ProductionSlip(*cds_F3300, os::Now()));
    } catch (const std::exception &) {
        WriteLog(QStringLiteral("F656_StockDetail_SengSan.btn_SssPrint Error."));
    }
}
