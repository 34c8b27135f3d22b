#include "documents/U652_RegOrder.h"
#include "ui_U652_RegOrder.h"
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
#include "documents/DocumentNumber.h"
#include "documents/DocumentRights.h"
#include "documents/OrderLineAmount.h"
#include "documents/PatternLines.h"
#include "documents/SupplierCombos.h"
#include "documents/U1010_OrderList.h"
#include "documents/U651_Susin.h"
#include "documents/U652_EdOrder.h"
#include "documents/UnitChooser.h"
#include "platform/dataset/ControlsOff.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QShowEvent>
#include <QTimeEdit>

#include <exception>

TF652_RegOrder *F652_RegOrder = nullptr;

namespace {

const QString kOrderProgram = QStringLiteral("F20_PURCHASEENTRY");
const QString kFormName = QStringLiteral("F652_RegOrder");
constexpr int kPurchaseOrderKind = 10;
constexpr int kListOptions = dgTitles | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection;
constexpr int kLineOptions = dgEditing | dgTitles | dgColLines | dgRowLines | dgAlwaysShowSelection;

QString F(const char *name) { return QLatin1String(name); }

// The fields a line keeps through a temporary save, besides the quantity and
// the prices (ADNUMB, AHADNB and AHADNB_NAME are the save's).
const char *const kLineTexts[] = {"IMITNB", "ADBDAN", "ADMDAN", "ADLDAN", "IMNAME", "ADUNIT", "SoUnitTotalstock",
                                  "IMPGKI", "IMPMKI", "IMSDKI", "IMSJKI"};
const char *const kLineNumbers[] = {"ADSEQ", "ADMCAL", "ADMQTY", "ADSQTY", "REPTQTY", "ADQTY"};

void copyFields(DataSet &to, const DataSet &from, const char *const *names, int count)
{
    for (int i = 0; i < count; ++i)
        to.FieldByName(F(names[i])).setAsVariant(from.FieldByName(F(names[i])).AsVariant());
}

QString today(const char *format) { return os::Now().date().toString(QLatin1String(format)); }

// The supplier the working lines are ordered from, on every line.
LineHook supplierOfLines(const QString &supplier, const QString &supplierName)
{
    return [supplier, supplierName](DataSet &line, DataSet &) {
        line.FieldByName(F("AHADNB")).setAsString(supplier);
        line.FieldByName(F("AHADNB_NAME")).setAsString(supplierName);
    };
}

} // namespace

// One order of a press: its supplier, pattern number and the temporary saves
// whose lines it holds (none: the working lines as they stand).
struct TF652_RegOrder::OrderJob {
    QString supplier;
    QString supplierName;
    int pattern = 0;
    QList<QPair<int, QString>> saves; // (AHNUMB, AHADNB)
    bool holdsReload = false;
};

TF652_RegOrder::TF652_RegOrder(QWidget *parent)
    : TWorkScreen(501301, parent), ui(std::make_unique<Ui::TF652_RegOrder>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("F652_RegOrder"));
    setWindowTitle(QStringLiteral("패턴 발주"));
    setFixedSize(ScreenWidth, ScreenHeight);
    bindMenuButton(ui->btn_AllMenuView);

    m_combos = std::make_unique<TSupplierCombos>(ui->CMB_ADNBNAME, ui->CMB_ADNB);

    VTB_PATTERNBALJU = new DataSet(this);
    VTB_PATTERNBALJU->setObjectName(QStringLiteral("VTB_PATTERNBALJU"));
    VTB_IMSIDETAIL = new DataSet(this);
    VTB_IMSIDETAIL->setObjectName(QStringLiteral("VTB_IMSIDETAIL"));
    VTB_IMSIHEAD = new DataSet(this);
    VTB_IMSIHEAD->setObjectName(QStringLiteral("VTB_IMSIHEAD"));
    VTB_ADNB = new DataSet(this);
    VTB_ADNB->setObjectName(QStringLiteral("VTB_ADNB"));
    VTB_PATTERNBALJU->AddFields(PatternLineFields());
    VTB_IMSIDETAIL->AddFields(ImsiDetailFields());
    VTB_IMSIHEAD->AddField(F("AHNUMB"), FieldType::Integer);
    VTB_IMSIHEAD->AddField(F("AHADNB"), FieldType::String, 8);
    VTB_IMSIHEAD->AddField(F("ImsiName"), FieldType::String, 100);
    VTB_IMSIHEAD->AddField(F("AHADNB_NAME"), FieldType::String, 20);
    VTB_IMSIHEAD->AddField(F("RELOADED"), FieldType::Boolean); // holds the reloaded order's lines
    VTB_ADNB->AddField(F("AHADNB"), FieldType::String, 8);
    VTB_ADNB->AddField(F("AHADNB_NAME"), FieldType::String, 100);
    openTables();

    cds_F0100 = NewRemoteCall(this, "cds_F0100", "dspStoredProc1", QStringLiteral("[GP_SELECT_F0100_RegOrder_Susin_Search]"));
    cds_F2110_s = NewRemoteCall(this, "cds_F2110_s", "dspStoredProc2", QStringLiteral("[GP_SELECT_F2110_RegOrderSearch]"));
    cds_F2111_s = NewRemoteCall(this, "cds_F2111_s", "dspStoredProc7", QStringLiteral("[GP_SELECT_F2111_RegOrderSearch_new1]"));
    CDS_MAXNUMBER = NewRemoteCall(this, "CDS_MAXNUMBER", "dspStoredProc7", QStringLiteral("[GP_SELECT_MAXNUMBER]"));
    cds_Balju = NewRemoteCall(this, "cds_Balju", "dspStoredProc5", QStringLiteral("[GP_INSERT_F2100_PURCHASEENTRY]"));
    m_number = std::make_unique<DocumentNumber>(*CDS_MAXNUMBER);

    ui->grid_Petenlist->setOptions(kListOptions);
    ui->grid_Petenlist->setDefaultRowHeight(28);
    ui->grid_Petenlist->setDataSource(cds_F2110_s);
    AddGridColumn(ui->grid_Petenlist, F("AHNAME"), QStringLiteral("패턴 선택"), 248);

    ui->grid_PetenSaveList->setOptions(kListOptions);
    ui->grid_PetenSaveList->setDefaultRowHeight(26);
    ui->grid_PetenSaveList->setDataSource(VTB_IMSIHEAD);
    AddGridColumn(ui->grid_PetenSaveList, F("ImsiName"), QStringLiteral("패턴명"), 150);
    AddGridColumn(ui->grid_PetenSaveList, F("AHADNB_NAME"), QStringLiteral("거래처명"), 98);

    ui->grid_Regorderlist->setOptions(kLineOptions);
    ui->grid_Regorderlist->setDefaultRowHeight(20);
    ui->grid_Regorderlist->setDataSource(VTB_PATTERNBALJU);
    struct Col {
        const char *field, *title;
        int width;
        bool editable, visible;
    };
    // Only the quantity is typed; the item code is carried, never edited.
    static const Col cols[] = {{"ADSEQ", "No", 36, false, true},          {"IMNAME", "품명", 196, false, true},
                               {"SIZE", "규격", 80, false, true},         {"ADUNIT", "단위", 48, false, true},
                               {"jjgo", "적정재고", 66, false, true},     {"SoUnitTotalstock", "현재고", 70, false, true},
                               {"ADQTY", "수량", 64, true, true},         {"ADUPRC", "단가", 68, false, true},
                               {"ADAMT", "합계", 70, false, false},       {"IMITNB", "IMITNB", 0, false, false}};
    for (const Col &c : cols) {
        TColumn *column = AddGridColumn(ui->grid_Regorderlist, F(c.field), QString::fromUtf8(c.title), c.width);
        column->setReadOnly(!c.editable);
        column->setVisible(c.visible);
    }
    if (Field *price = VTB_PATTERNBALJU->FindField(F("ADUPRC")))
        price->setDisplayFormat(QStringLiteral("#,##0"));

    connect(ui->btn_Close, &TMirelImgBtn::OnClick, this, [this] { btn_CloseClick(); });
    connect(ui->btn_Minimize, &TMirelImgBtn::OnClick, this, [] {
        if (QWidget *w = QApplication::activeWindow())
            w->showMinimized();
    });
    // A supplier chosen in the name list is checked for a block by the combos.
    connect(ui->BitBtn1, &TMirelImgBtn::OnClick, this, [this] { BitBtn1Click(); });
    connect(ui->com_PetenBunruAll, &QComboBox::activated, this, [this] { com_PetenBunruAllClick(); });
    connect(ui->grid_Petenlist, &TMirelGrid::OnCellClick, this, [this] { grid_PetenlistCellClick(); });
    connect(ui->grid_PetenSaveList, &TMirelGrid::OnCellClick, this, [this] { grid_PetenSaveListCellClick(); });
    connect(ui->grid_Regorderlist, &TMirelGrid::OnCellClick, this, [this](TColumn *c) { grid_RegorderlistCellClick(c); });
    ConnectPadKeys(this, [this](int tag) { PadKeyMouseUp(tag); });
    connect(ui->btn_Enter, &TMirelImgBtn::OnClick, this, [this] { btn_EnterClick(); });
    connect(ui->btn_Ok, &TMirelImgBtn::OnClick, this, [this] { btn_OkClick(); });
    connect(ui->btn_Balju, &TMirelImgBtn::OnClick, this, [this] { btn_BaljuClick(); });
    connect(ui->btn_ImsiSave, &TMirelImgBtn::OnClick, this, [this] { btn_ImsiSaveClick(); });
    connect(ui->btn_Del, &TMirelImgBtn::OnClick, this, [this] { btn_DelClick(); });
    connect(ui->btn_A4ysPrint, &TMirelImgBtn::OnClick, this, [this] { btn_A4ysPrintClick(); });
    connect(ui->btn_PetenlistUp, &TMirelImgBtn::OnClick, this, [this] { PageGrid(ui->grid_Petenlist, kPageUpTag, PatternPage); });
    connect(ui->btn_PetenlistDown, &TMirelImgBtn::OnClick, this,
            [this] { PageGrid(ui->grid_Petenlist, kPageDownTag, PatternPage); });
    connect(ui->PetenSaveListUp, &TMirelImgBtn::OnClick, this, [this] { PageGrid(ui->grid_PetenSaveList, kPageUpTag, SavePage); });
    connect(ui->PetenSaveListDown, &TMirelImgBtn::OnClick, this,
            [this] { PageGrid(ui->grid_PetenSaveList, kPageDownTag, SavePage); });
    connect(ui->btn_RegorderlistUp, &TMirelImgBtn::OnClick, this, [this] { pageLines(kPageUpTag); });
    connect(ui->btn_RegorderlistDown, &TMirelImgBtn::OnClick, this, [this] { pageLines(kPageDownTag); });
}

TF652_RegOrder::~TF652_RegOrder() = default;

void TF652_RegOrder::openTables()
{
    for (DataSet *t : {VTB_PATTERNBALJU, VTB_IMSIDETAIL, VTB_IMSIHEAD, VTB_ADNB})
        if (!t->Active())
            t->Open();
    if (DM && !DM->vtb_Susin->Active())
        DM->vtb_Susin->Open();
}

void TF652_RegOrder::showEvent(QShowEvent *event)
{
    TWorkScreen::showEvent(event);
    if (FirstShow(event))
        FormShow();
}

void TF652_RegOrder::closeEvent(QCloseEvent *event)
{
    for (DataSet *t : {VTB_PATTERNBALJU, VTB_IMSIDETAIL, VTB_IMSIHEAD, VTB_ADNB})
        t->Close();
    TWorkScreen::closeEvent(event);
}

void TF652_RegOrder::FormShow()
{
    MenuViewState = QStringLiteral("0");
    openTables();
    m_combos->Load(*cds_F0100);
    const QDateTime now = os::Now();
    ui->date_Wantdate->setDate(now.date());
    ui->time_Wanttime->setTime(now.time());
    // The supplier change once: nothing chosen selects "99999999".
    ui->CMB_ADNBNAME->setCurrentIndex(0);
    ui->CMB_ADNB->setCurrentIndex(0);
    if (DM->CheckOrderBlocked(m_combos->Code()))
        m_combos->ClearSelection();

    OpenPatterns(*cds_F2110_s, m_combos->Code());
    ui->grid_Regorderlist->setFocus();
}

void TF652_RegOrder::SetSupplier(const QString &code)
{
    m_combos->SetSupplier(code);
}

void TF652_RegOrder::BitBtn1Click()
{
    TF651_Susin picker(this);
    if (picker.exec() == 1)
        SetSupplier(picker.form().Label2->text());
}

void TF652_RegOrder::com_PetenBunruAllClick()
{
    FilterPatterns(*cds_F2110_s, ui->com_PetenBunruAll->currentText());
}

// --- loading lines ------------------------------------------------------------

void TF652_RegOrder::clearReload()
{
    ReloadState.clear();
    ReloadNumb = 0;
    ReloadMonth.clear();
    ReloadDate.clear();
    Source.Reloaded = false;
    for (int row = 1; row <= VTB_IMSIHEAD->RecordCount(); ++row) {
        VTB_IMSIHEAD->setRecNo(row);
        if (VTB_IMSIHEAD->FieldByName(F("RELOADED")).AsBoolean()) {
            VTB_IMSIHEAD->Edit();
            VTB_IMSIHEAD->FieldByName(F("RELOADED")).setAsBoolean(false);
            VTB_IMSIHEAD->Post();
        }
    }
}

bool TF652_RegOrder::reloadInSaves() const
{
    for (int row = 0; row < VTB_IMSIHEAD->rowCount(); ++row)
        if (VTB_IMSIHEAD->value(row, VTB_IMSIHEAD->fieldIndex(F("RELOADED"))).toBool())
            return true;
    return false;
}

// Other lines are about to replace the working lines: reloaded lines that no
// temporary save holds are given up with the reload.
void TF652_RegOrder::replaceWorkingLines()
{
    if (Source.Reloaded && !reloadInSaves())
        clearReload();
    Source = LinesSource();
}

void TF652_RegOrder::grid_PetenlistCellClick()
{
    if (!cds_F2110_s->Active() || cds_F2110_s->IsEmpty())
        return;
    const int pattern = cds_F2110_s->FieldByName(F("AHNUMB")).AsInteger();
    const QString supplier = cds_F2110_s->FieldByName(F("AHADNB")).AsString();
    const QString supplierName = cds_F2110_s->FieldByName(F("ahadnb_name")).AsString();
    const QString name = cds_F2110_s->FieldByName(F("AHNAME")).AsString();
    // The supplier changes with the lines only: a failed read keeps both.
    RunLogged(QStringLiteral("TF652_RegOrder.grid_PetenlistCellClick Error:"), [&] {
        VTB_PATTERNBALJU->CheckBrowseMode();
        cds_F2111_s->Close();
        SetPatternLineParams(*cds_F2111_s, pattern, supplier);
        SetParam(*cds_F2111_s, FieldType::Integer, "phnumb", pattern);
        cds_F2111_s->Open();
        FillPatternLines(*VTB_PATTERNBALJU, *cds_F2111_s, false, supplierOfLines(supplier, supplierName));
        replaceWorkingLines();
        Source = LinesSource{pattern, name, supplier, supplierName, false, false};
        SetSupplier(supplier);
    });
}

// One temporary-save line appended to the working lines.
void TF652_RegOrder::appendSavedLine(DataSet &saved)
{
    DataSet &lines = *VTB_PATTERNBALJU;
    lines.Append();
    lines.FieldByName(F("ADNUMB")).setAsInteger(saved.FieldByName(F("ADNUMB")).AsInteger());
    lines.FieldByName(F("IMITTY")).setAsString(ItemTypeWord(saved.FieldByName(F("IMITTY")).AsString()));
    copyFields(lines, saved, kLineTexts, std::size(kLineTexts));
    copyFields(lines, saved, kLineNumbers, std::size(kLineNumbers));
    SetLinePrices(lines, saved.FieldByName(F("ADUPRC")).AsInteger());
    lines.FieldByName(F("ADAMT")).setAsCurrency(saved.FieldByName(F("ADAMT")).AsCurrency());
    lines.Post();
}

void TF652_RegOrder::grid_PetenSaveListCellClick()
{
    if (VTB_IMSIHEAD->IsEmpty())
        return;
    const int pattern = VTB_IMSIHEAD->FieldByName(F("AHNUMB")).AsInteger();
    const QString supplier = VTB_IMSIHEAD->FieldByName(F("AHADNB")).AsString();
    LinesSource source{pattern, VTB_IMSIHEAD->FieldByName(F("ImsiName")).AsString(), supplier,
                       VTB_IMSIHEAD->FieldByName(F("AHADNB_NAME")).AsString(), true,
                       VTB_IMSIHEAD->FieldByName(F("RELOADED")).AsBoolean()};
    SetSupplier(supplier);
    VTB_PATTERNBALJU->CheckBrowseMode();
    replaceWorkingLines();
    RunLogged(QStringLiteral("TF652_RegOrder.lp_insert_patternbalju Error:"), [&] {
        const ControlsOff quiet(*VTB_PATTERNBALJU);
        VTB_PATTERNBALJU->EmptyTable();
        for (int row = 0; row < VTB_IMSIDETAIL->rowCount(); ++row) {
            DataSet::RowScope scope(*VTB_IMSIDETAIL, row);
            if (VTB_IMSIDETAIL->FieldByName(F("ADNUMB")).AsInteger() == pattern
                && VTB_IMSIDETAIL->FieldByName(F("AHADNB")).AsString() == supplier)
                appendSavedLine(*VTB_IMSIDETAIL);
        }
    });
    VTB_PATTERNBALJU->First();
    Source = source;
}

// --- lines ------------------------------------------------------------------

void TF652_RegOrder::grid_RegorderlistCellClick(TColumn *column)
{
    if (!column || VTB_PATTERNBALJU->IsEmpty())
        return;
    if (column->FieldName().compare(F("ADUNIT"), Qt::CaseInsensitive) == 0) {
        ChooseLineUnit(*VTB_PATTERNBALJU, this);
        return;
    }
    SelectQuantityColumn(ui->grid_Regorderlist); // the key pad types into the quantity
}

void TF652_RegOrder::PadKeyMouseUp(int tag)
{
    TypePadKey(ui->grid_Regorderlist, *VTB_PATTERNBALJU, tag);
}

void TF652_RegOrder::btn_EnterClick()
{
    NextLine(*VTB_PATTERNBALJU);
}

void TF652_RegOrder::pageLines(int tag)
{
    if (VTB_PATTERNBALJU->IsEmpty())
        return;
    VTB_PATTERNBALJU->CheckBrowseMode();
    PageGrid(ui->grid_Regorderlist, tag, LinePage);
}

int TF652_RegOrder::linesWithQuantity() const
{
    const int qty = VTB_PATTERNBALJU->fieldIndex(F("ADQTY"));
    int count = 0;
    for (int row = 0; row < VTB_PATTERNBALJU->rowCount(); ++row)
        if (VTB_PATTERNBALJU->value(row, qty).toDouble() != 0)
            ++count;
    return count;
}

// Sets the supplier of the lines (the pattern's, else the one chosen) and
// checks it: a name, and no block. Shows the notices; false stops.
bool TF652_RegOrder::checkedSupplier(const QString &linesSupplier)
{
    if (!linesSupplier.isEmpty())
        SetSupplier(linesSupplier);
    const QString name = m_combos->Name();
    if (name.isEmpty() || name == QStringLiteral("지점전체")) {
        ShowMessageBox(QStringLiteral("거래처명을 선택해 주세요!"), mkNotice, 2000);
        return false;
    }
    if (DM->CheckOrderBlocked(m_combos->Code())) {
        m_combos->ClearSelection();
        return false;
    }
    return true;
}

// --- temporary saves ----------------------------------------------------------

void TF652_RegOrder::rebuildSuppliers()
{
    VTB_ADNB->EmptyTable();
    for (int row = 0; row < VTB_IMSIHEAD->rowCount(); ++row) {
        DataSet::RowScope scope(*VTB_IMSIHEAD, row);
        const QString code = VTB_IMSIHEAD->FieldByName(F("AHADNB")).AsString();
        if (VTB_ADNB->Locate(F("AHADNB"), code))
            continue;
        VTB_ADNB->Append();
        VTB_ADNB->FieldByName(F("AHADNB")).setAsString(code);
        VTB_ADNB->FieldByName(F("AHADNB_NAME")).setAsString(VTB_IMSIHEAD->FieldByName(F("AHADNB_NAME")).AsString());
        VTB_ADNB->Post();
    }
}

// Deletes a temporary save with its lines.
void TF652_RegOrder::removeSave(int pattern, const QString &supplier)
{
    for (int row = VTB_IMSIDETAIL->rowCount() - 1; row >= 0; --row) {
        VTB_IMSIDETAIL->setRecNo(row + 1);
        if (VTB_IMSIDETAIL->FieldByName(F("ADNUMB")).AsInteger() == pattern
            && VTB_IMSIDETAIL->FieldByName(F("AHADNB")).AsString() == supplier)
            VTB_IMSIDETAIL->Delete();
    }
    if (VTB_IMSIHEAD->Locate(F("AHNUMB;AHADNB"), QVariantList{pattern, supplier}))
        VTB_IMSIHEAD->Delete();
    if (Source.Recalled && Source.ReloadAdNumb == pattern && Source.Supplier == supplier)
        Source.Recalled = false;
    if (!Source.Reloaded && !reloadInSaves())
        clearReload();
    rebuildSuppliers();
}

void TF652_RegOrder::btn_ImsiSaveClick()
{
    VTB_PATTERNBALJU->CheckBrowseMode();
    if (linesWithQuantity() == 0) {
        if (Source.Recalled) {
            // Every line of a recalled save set to 0: the save is gone.
            const LinesSource gone = Source;
            VTB_PATTERNBALJU->EmptyTable();
            Source = LinesSource();
            removeSave(gone.ReloadAdNumb, gone.Supplier);
            return;
        }
        ShowMessageBox(QStringLiteral("임시 저장할 건수가 한건도 없습니다."), mkNotice, 2000);
        return;
    }
    if (!checkedSupplier(Source.Supplier))
        return;

    const QString supplier = Source.Supplier.isEmpty() ? m_combos->Code() : Source.Supplier;
    const QString supplierName = Source.Supplier.isEmpty() ? m_combos->Name() : Source.SupplierName;
    const int pattern = Source.ReloadAdNumb;
    if (!RunLogged(QStringLiteral("TF652_RegOrder.btn_ImsiSaveClick0 Error:"), [&] {
        if (!VTB_ADNB->Locate(F("AHADNB"), supplier)) {
            VTB_ADNB->Append();
            VTB_ADNB->FieldByName(F("AHADNB")).setAsString(supplier);
            VTB_ADNB->FieldByName(F("AHADNB_NAME")).setAsString(supplierName);
            VTB_ADNB->Post();
        }
    }))
        return;
    if (!RunLogged(QStringLiteral("TF652_RegOrder.btn_ImsiSaveClick2 Error:"), [&] {
        if (VTB_IMSIHEAD->Locate(F("AHNUMB;AHADNB"), QVariantList{pattern, supplier})) {
            VTB_IMSIHEAD->Edit();
        } else {
            VTB_IMSIHEAD->Append();
            VTB_IMSIHEAD->FieldByName(F("AHNUMB")).setAsInteger(pattern);
            VTB_IMSIHEAD->FieldByName(F("AHADNB")).setAsString(supplier);
            VTB_IMSIHEAD->FieldByName(F("ImsiName")).setAsString(Source.PatternName);
            VTB_IMSIHEAD->FieldByName(F("AHADNB_NAME")).setAsString(supplierName);
        }
        if (Source.Reloaded)
            VTB_IMSIHEAD->FieldByName(F("RELOADED")).setAsBoolean(true);
        VTB_IMSIHEAD->Post();
    }))
        return;
    RunLogged(QStringLiteral("TF652_RegOrder.btn_ImsiSaveClick3 Error:"), [&] {
        DataSet &saved = *VTB_IMSIDETAIL;
        const ControlsOff quiet(saved);
        // A recalled save is saved as it now stands: lines set to 0 leave it.
        if (Source.Recalled)
            for (int row = saved.rowCount() - 1; row >= 0; --row) {
                saved.setRecNo(row + 1);
                if (saved.FieldByName(F("ADNUMB")).AsInteger() == pattern
                    && saved.FieldByName(F("AHADNB")).AsString() == supplier)
                    saved.Delete();
            }
        DataSet &lines = *VTB_PATTERNBALJU;
        for (int row = 0; row < lines.rowCount(); ++row) {
            DataSet::RowScope scope(lines, row);
            if (lines.FieldByName(F("ADQTY")).AsFloat() == 0)
                continue;
            const QString item = lines.FieldByName(F("IMITNB")).AsString();
            if (saved.Locate(F("ADNUMB;AHADNB;IMITNB"), QVariantList{pattern, supplier, item})) {
                saved.Edit();
            } else {
                saved.Append();
                saved.FieldByName(F("ADNUMB")).setAsInteger(pattern);
            }
            saved.FieldByName(F("IMITTY")).setAsString(lines.FieldByName(F("IMITTY")).AsString());
            copyFields(saved, lines, kLineTexts, std::size(kLineTexts));
            copyFields(saved, lines, kLineNumbers, std::size(kLineNumbers));
            saved.FieldByName(F("jjgo")).setAsVariant(lines.FieldByName(F("jjgo")).AsVariant());
            SetLinePrices(saved, lines.FieldByName(F("ADUPRC")).AsInteger());
            saved.FieldByName(F("ADAMT")).setAsCurrency(lines.FieldByName(F("ADAMT")).AsCurrency());
            saved.FieldByName(F("AHADNB")).setAsString(supplier);
            saved.FieldByName(F("AHADNB_NAME")).setAsString(supplierName);
            saved.Post();
        }
        lines.EmptyTable();
        Source = LinesSource();
    });
}

void TF652_RegOrder::btn_DelClick()
{
    if (VTB_IMSIHEAD->IsEmpty()) {
        ShowMessageBox(QStringLiteral("삭제할 임시 저장 내용이 없습니다."), mkNotice, 3000);
        return;
    }
    removeSave(VTB_IMSIHEAD->FieldByName(F("AHNUMB")).AsInteger(), VTB_IMSIHEAD->FieldByName(F("AHADNB")).AsString());
}

// --- placing orders -----------------------------------------------------------

// The orders of the temporary saves: 6 one per supplier (with every saved
// line of it), 7 one per save; any other choice (a single save) one order of
// every saved line.
QList<TF652_RegOrder::OrderJob> TF652_RegOrder::ordersFromSaves(int choice) const
{
    QList<OrderJob> jobs;
    DataSet &heads = *VTB_IMSIHEAD;
    const auto saveOf = [&heads](int row) {
        DataSet::RowScope scope(heads, row);
        return std::tuple(heads.FieldByName(F("AHNUMB")).AsInteger(), heads.FieldByName(F("AHADNB")).AsString(),
                          heads.FieldByName(F("AHADNB_NAME")).AsString(),
                          heads.FieldByName(F("RELOADED")).AsBoolean());
    };
    if (choice == mrYes) {
        for (int s = 0; s < VTB_ADNB->rowCount(); ++s) {
            OrderJob job;
            job.supplier = VTB_ADNB->value(s, VTB_ADNB->fieldIndex(F("AHADNB"))).toString();
            job.supplierName = VTB_ADNB->value(s, VTB_ADNB->fieldIndex(F("AHADNB_NAME"))).toString();
            job.pattern = kGatheredPattern;
            for (int row = 0; row < heads.rowCount(); ++row) {
                const auto [pattern, supplier, name, reloaded] = saveOf(row);
                if (supplier != job.supplier)
                    continue;
                job.saves.append({pattern, supplier});
                job.holdsReload = job.holdsReload || reloaded;
            }
            jobs.append(job);
        }
        return jobs;
    }
    for (int row = 0; row < heads.rowCount(); ++row) {
        const auto [pattern, supplier, name, reloaded] = saveOf(row);
        jobs.append({supplier, name, choice == mrNo ? kGatheredPattern : pattern, {{pattern, supplier}}, reloaded});
    }
    return jobs;
}

void TF652_RegOrder::btn_BaljuClick()
{
    VTB_PATTERNBALJU->CheckBrowseMode();
    if (!HasWriteRight(kOrderProgram))
        return;
    if (ui->date_Wantdate->date().toString(QStringLiteral("yyyyMMdd")) < today("yyyyMMdd")) {
        ShowMessageBox(QStringLiteral("납품 희망일은 현재 날짜 이후만 가능합니다."), mkNotice, 2000);
        return;
    }

    if (!VTB_IMSIHEAD->IsEmpty()) {
        QList<OrderJob> jobs;
        if (VTB_IMSIHEAD->RecordCount() == 1) {
            jobs = ordersFromSaves(0);
            SetSupplier(jobs.first().supplier);
            if (AskMessageBox(ui->CMB_ADNBNAME->currentText() + QStringLiteral("거래처로 발주하시겠습니까?"), mkOkCancel) != mrYes)
                return;
        } else {
            const int choice = AskMessageBox(QStringLiteral("선택바랍니다."), mkOrderKind);
            if (choice != mrYes && choice != mrNo)
                return;
            jobs = ordersFromSaves(choice);
        }
        placeOrders(jobs, true);
        return;
    }

    if (linesWithQuantity() == 0) {
        ShowMessageBox(QStringLiteral("발주 건수가 한 건도 없습니다."), mkNotice, 2000);
        return;
    }
    if (!checkedSupplier(Source.Supplier))
        return;
    if (AskMessageBox(ui->CMB_ADNBNAME->currentText() + QStringLiteral("거래처로 발주하시겠습니까?"), mkOkCancel) != mrYes)
        return;
    OrderJob job;
    job.supplier = m_combos->Code();
    job.supplierName = m_combos->Name();
    job.pattern = Source.ReloadAdNumb;
    job.holdsReload = Source.Reloaded;
    placeOrders({job}, false);
}

// Places the orders of one press in turn. Stops at the first failure and
// tells which supplier's order failed; what was placed is removed, the rest
// stays for the retry. Orders from temporary saves pass through the working
// lines, which are empty afterwards.
void TF652_RegOrder::placeOrders(const QList<OrderJob> &jobs, bool fromSaves)
{
    m_lastPlaced.clear();
    bool reloadGiven = false;
    bool allPlaced = true;
    for (const OrderJob &job : jobs) {
        SetSupplier(job.supplier);
        if (fromSaves) {
            const ControlsOff quiet(*VTB_PATTERNBALJU);
            VTB_PATTERNBALJU->EmptyTable();
            for (int row = 0; row < VTB_IMSIDETAIL->rowCount(); ++row) {
                DataSet::RowScope scope(*VTB_IMSIDETAIL, row);
                const QPair<int, QString> save{VTB_IMSIDETAIL->FieldByName(F("ADNUMB")).AsInteger(),
                                               VTB_IMSIDETAIL->FieldByName(F("AHADNB")).AsString()};
                if (job.saves.contains(save))
                    appendSavedLine(*VTB_IMSIDETAIL);
            }
        }
        const bool reloaded = job.holdsReload && !reloadGiven && ReloadState == QStringLiteral("1");
        if (!placeOneOrder(job, reloaded)) {
            const QString name = ui->CMB_ADNBNAME->currentText().isEmpty() ? job.supplierName : ui->CMB_ADNBNAME->currentText();
            ShowMessageBox(name + QStringLiteral("거래처 발주에 실패하였습니다."), mkNotice, 3000);
            allPlaced = false;
            break;
        }
        if (reloaded) {
            reloadGiven = true;
            clearReload();
        }
        if (fromSaves) {
            for (const auto &save : job.saves)
                removeSave(save.first, save.second);
        } else {
            VTB_PATTERNBALJU->EmptyTable();
            Source = LinesSource();
        }
    }
    if (fromSaves) {
        VTB_PATTERNBALJU->EmptyTable();
        replaceWorkingLines();
    }
    if (allPlaced) {
        VTB_IMSIDETAIL->EmptyTable();
        VTB_IMSIHEAD->EmptyTable();
        VTB_ADNB->EmptyTable();
    }
}

// Places one order of the working lines: number, header, every line with a
// quantity, and the hand-over when the supplier is a business unit (a code of
// four characters or fewer). True when every call succeeded; a failure is
// logged and keeps the drawn number for the retry.
bool TF652_RegOrder::placeOneOrder(const OrderJob &job, bool reloaded)
{
    return RunLogged(QStringLiteral("TF652_RegOrder.btn_BaljuClick Error:"), [&] {
        const QString supplier = m_combos->Code();
        QString month = today("yyyyMM");
        QString day = today("yyyyMMdd");
        qint64 number = 0;
        if (reloaded) {
            month = ReloadMonth;
            day = ReloadDate.isEmpty() ? day : ReloadDate;
            number = ReloadNumb;
        } else {
            number = m_number->numberFor(kPurchaseOrderKind, month, supplier);
        }

        ClientDataSet &call = *cds_Balju;
        Params &p = call.Params();
        p.CreateParam(FieldType::SmallInt, F("A_GUBUN")).setAsInteger(1);
        SetTextParam(call, "A_PHCMCD", MyConfig.CompanyCode);
        SetTextParam(call, "A_PHBUUT", MyConfig.StoreCode);
        SetTextParam(call, "A_PHMONTH", month);
        SetParam(call, FieldType::Integer, "A_PHNUMB", number);
        SetTextParam(call, "A_PHYEAR", day.left(4));
        SetTextParam(call, "A_PHDATE", day);
        SetTextParam(call, "A_PHADNB", supplier);
        SetTextParam(call, "A_PHBATY", QStringLiteral("001"));
        for (const char *empty : {"A_PHSEME", "A_PHBODT", "A_PHNWDT", "A_PHGMDA", "A_PHBIGO", "A_PHnpjs", "A_PHbada"})
            SetTextParam(call, empty, QString());
        SetTextParam(call, "A_PHNYDT", ui->date_Wantdate->date().toString(QStringLiteral("yyyyMMdd")));
        SetParam(call, FieldType::Integer, "A_PHUAMT", 0);
        SetParam(call, FieldType::Integer, "A_PHADNUMB", job.pattern); // 999 for every order of several saves
        SetTextParam(call, "A_PHPOID", MyConfig.PosNo);
        p.CreateParam(FieldType::Boolean, F("A_PHedfl")).setAsBoolean(false);
        SetTextParam(call, "A_PHWORK", MyConfig.UIADNB);
        SetTextParam(call, "A_PHPGID", kFormName);
        SetTextParam(call, "A_PHTXGU", QStringLiteral("1"));
        cds_Balju->Execute();

        DataSet &lines = *VTB_PATTERNBALJU;
        const ControlsOff quiet(lines);
        int seq = 0;
        for (lines.First(); !lines.Eof(); lines.Next()) {
            const double quantity = lines.FieldByName(F("ADQTY")).AsFloat();
            if (quantity == 0)
                continue;
            const OrderLineAmounts money = OrderLineAmount(quantity, lines.FieldByName(F("ADUPRC")).AsInteger());
            lines.Edit();
            lines.FieldByName(F("ADAMT")).setAsCurrency(money.amount);
            lines.Post();
            p.ParamByName(F("A_GUBUN")).setAsInteger(2);
            SetTextParam(call, "A_PDCMCD", MyConfig.CompanyCode);
            SetTextParam(call, "A_PDBUUT", MyConfig.StoreCode);
            SetTextParam(call, "A_PDMONTH", month);
            SetParam(call, FieldType::Integer, "A_PDNUMB", number);
            SetParam(call, FieldType::Integer, "A_PDSEQ", ++seq);
            SetTextParam(call, "A_PDITNB", lines.FieldByName(F("IMITNB")).AsString());
            SetTextParam(call, "A_PDUNIT", lines.FieldByName(F("ADUNIT")).AsString());
            SetParam(call, FieldType::Float, "A_PDQTY", quantity);
            SetParam(call, FieldType::Integer, "A_PDUPRC", lines.FieldByName(F("ADUPRC")).AsInteger());
            SetParam(call, FieldType::Integer, "A_PDAMT", money.total);
            SetParam(call, FieldType::Integer, "A_pdgamt", money.supply);
            SetParam(call, FieldType::Integer, "A_pdtax", money.vat);
            SetLineUnitParams(call, "A_PD", lines);
            SetTextParam(call, "A_PDIBMONTH", QString());
            SetTextParam(call, "A_PDIBSEQ", QString());
            SetParam(call, FieldType::Integer, "A_PDIBNUMB", 0);
            SetTextParam(call, "A_PDWORK", MyConfig.UIADNB);
            SetTextParam(call, "A_PDPGID", kFormName);
            cds_Balju->Execute();
        }

        if (supplier.size() <= 4) {
            p.ParamByName(F("A_GUBUN")).setAsInteger(3);
            cds_Balju->Execute();
        }
        if (!reloaded)
            m_number->completed();
        m_lastPlaced.append({month, number, supplier});
        return true;
    });
}

// --- reload and print -----------------------------------------------------------

void TF652_RegOrder::btn_OkClick()
{
    TF652_EdOrder picker(this);
    if (picker.exec() != 1)
        return;
    ClientDataSet &order = *picker.cds_F2100_pat;
    ClientDataSet &orderLines = *picker.cds_F2101_det;
    if (!orderLines.Active() || !order.Active() || order.IsEmpty())
        return;

    const int pattern = order.FieldByName(F("PHADNUMB")).AsInteger();
    const qint64 number = order.FieldByName(F("phnumb")).AsInteger();
    const QString supplier = picker.form().CMB_ADNB->currentText();
    const QString supplierName = order.FieldByName(F("absnam")).AsString();
    VTB_PATTERNBALJU->CheckBrowseMode();
    SetSupplier(supplier);
    if (!RunLogged(QStringLiteral("TF652_RegOrder.grid_PetenlistCellClick Error:"), [&] {
        ReadPlacedOrderLines(order, *cds_F2111_s);
        FillPlacedOrderLines(*VTB_PATTERNBALJU, order, orderLines, *cds_F2111_s,
                             supplierOfLines(supplier, supplierName));
    }))
        return;
    clearReload(); // a reload replaces an earlier one, wherever its lines are
    ReloadState = QStringLiteral("1");
    ReloadNumb = number;
    ReloadMonth = order.FieldByName(F("PHMONTH")).AsString();
    ReloadDate = order.FieldByName(F("phdate")).AsDateTime().toString(QStringLiteral("yyyyMMdd"));
    Source = LinesSource{pattern, order.FieldByName(F("AHNAME")).AsString(), supplier, supplierName, false, true};
}

void TF652_RegOrder::btn_A4ysPrintClick()
{
    if (m_lastPlaced.isEmpty()) {
        ShowMessageBox(QStringLiteral("발주한 내역이 없습니다."), mkNotice, 2000);
        return;
    }
    for (const PlacedOrder &o : m_lastPlaced)
        PrintPlacedOrder(o.month, o.number);
}

void TF652_RegOrder::btn_CloseClick()
{
    VTB_PATTERNBALJU->CheckBrowseMode();
    if (ConfirmClose(VTB_PATTERNBALJU->RecordCount()))
        done(CloseResult);
}
