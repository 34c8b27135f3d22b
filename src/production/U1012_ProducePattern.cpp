#include "production/U1012_ProducePattern.h"
#include "ui_U1012_ProducePattern.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/PrintThread.h"
#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "documents/DocumentLines.h"
#include "documents/ItemEntryScreen.h"
#include "documents/PatternLines.h"
#include "documents/PickerGrid.h"
#include "platform/dataset/ControlsOff.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"
#include "production/ProductionSlip.h"
#include "production/ProductionWrite.h"
#include "shell/RaldApplication.h"

#include <QApplication>
#include <QLineEdit>
#include <QShowEvent>

namespace {

const QString kFormName = QStringLiteral("F1012_ProducePattern");

QString F(const char *name) { return QLatin1String(name); }

// The fields a line keeps wherever it is copied on this screen (the kind is
// copied as its name).
const char *const kLineFields[] = {"ADNUMB", "ADSEQ",  "IMITNB", "ADMDAN", "ADLDAN",    "ADMCAL", "IMNAME",
                                   "ADUNIT", "ADQTY", "ADUPRC", "ADUPRC000", "LINB"};

} // namespace

TF1012_ProducePattern::TF1012_ProducePattern(DataSet &basket, ClientDataSet &numbers, ClientDataSet &insert,
                                             QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(std::make_unique<Ui::TF1012_ProducePattern>()),
      m_basket(basket), m_insert(insert), m_number(numbers)
{
    ui->setupUi(this);
    setObjectName(kFormName);
    setFixedSize(1024, 768);

    cds_F3320_hed = NewRemoteCall(this, "cds_F3320_hed", "dspStoredProc3",
                                  QStringLiteral("[GP_SELECT_F3320_PRODUCTPTRNENTRY]"));
    cds_F3321_det = NewRemoteCall(this, "cds_F3321_det", "dspStoredProc5",
                                  QStringLiteral("[GP_SELECT_F3321_PRODUCTPTRNENTRY]"));

    vtb_SengsanPeten = new DataSet(this);
    vtb_SengsanPeten->setObjectName(QStringLiteral("vtb_SengsanPeten"));
    QList<FieldDef> lineFields{{F("ADNUMB"), FieldType::Integer}};
    lineFields << ItemEntryBasketFields() << FieldDef{F("LINB"), FieldType::String, 3};
    vtb_SengsanPeten->AddFields(lineFields);
    vtb_PetenImsi = new DataSet(this);
    vtb_PetenImsi->setObjectName(QStringLiteral("vtb_PetenImsi"));
    vtb_PetenImsi->AddField(F("UHNUMB"), FieldType::Integer);
    vtb_PetenImsi->AddField(F("ImsiName"), FieldType::String, 100);
    vtb_SengsanPeten->Open();
    vtb_PetenImsi->Open();

    // Production entry's basket holds the temporary saves while the screen
    // is open; what it held before comes back when the screen closes
    // without OK.
    if (!m_basket.Active())
        m_basket.Open();
    m_basket.CheckBrowseMode();
    m_basketRecNo = m_basket.RecNo();
    for (int row = 0; row < m_basket.rowCount(); ++row) {
        QList<QVariant> values;
        for (int f = 0; f < m_basket.FieldCount(); ++f)
            values << m_basket.value(row, f);
        m_basketBefore << values;
    }
    m_basket.EmptyTable();

    SetUpPickerGrid(ui->grid_PrpaStock1, cds_F3320_hed, {{"UHNAME", "생산 패턴", 259}}, 28);
    SetUpPickerGrid(ui->grid_SengsanSaveList, vtb_PetenImsi, {{"ImsiName", "생산 패턴 임시저장", 259}}, 26);
    TMirelGrid *lines = ui->grid_PrpaStock2;
    lines->setOptions(dgEditing | dgTitles | dgColLines | dgRowLines | dgAlwaysShowSelection);
    lines->setDefaultRowHeight(22);
    lines->setDataSource(vtb_SengsanPeten);
    static const struct {
        const char *field, *title;
        int width;
    } columns[] = {{"IMITNB", "품번", 59},    {"IMNAME", "품명", 255},    {"ADMDAN", "단위", 39},
                   {"ADMCAL", "기본수량", 75}, {"ADLDAN", "기본단위", 75}, {"ADUNIT", "생산단위", 75},
                   {"ADQTY", "생산수량", 75}};
    for (const auto &c : columns) {
        TColumn *column = AddGridColumn(lines, F(c.field), QString::fromUtf8(c.title), c.width);
        column->setAlignment(Qt::AlignCenter);
        column->setReadOnly(QByteArray(c.field) != "ADQTY"); // only the quantity is typed
    }

    connect(ui->btn_Close, &TMirelImgBtn::OnClick, this, [this] { btn_CloseClick(); });
    connect(ui->btn_Minimize, &TMirelImgBtn::OnClick, this, [] {
        if (QWidget *w = QApplication::activeWindow())
            w->showMinimized();
    });
    connect(ui->grid_PrpaStock1, &TMirelGrid::OnCellClick, this, [this] { grid_PrpaStock1CellClick(); });
    connect(ui->grid_PrpaStock2, &TMirelGrid::OnCellClick, this, [this] { grid_PrpaStock2CellClick(); });
    connect(ui->grid_SengsanSaveList, &TMirelGrid::OnCellClick, this, [this] { grid_SengsanSaveListCellClick(); });
    ConnectPadKeys(this, [this](int tag) { PadKeyMouseUp(tag); });
    connect(ui->btn_Enter, &TMirelImgBtn::OnClick, this, [this] { btn_EnterClick(); });
    connect(ui->btn_ImsiSave, &TMirelImgBtn::OnClick, this, [this] { btn_ImsiSaveClick(); });
    connect(ui->btn_Del, &TMirelImgBtn::OnClick, this, [this] { btn_DelClick(); });
    connect(ui->btn_Ok, &TMirelImgBtn::OnClick, this, [this] { btn_OkClick(); });
    connect(ui->btn_Sengsan, &TMirelImgBtn::OnClick, this, [this] { btn_SengsanClick(); });
    connect(ui->btn_A4ysPrint, &TMirelImgBtn::OnClick, this, [this] { btn_A4ysPrintClick(); });
    ConnectPageButtons(ui->btn_PrpaStock2Up, ui->btn_RegorderlistDown, ui->grid_PrpaStock2, LinePage);
    ConnectPageButtons(ui->btn_PrpaStock1Up, ui->btn_PrpaStock1Down, ui->grid_PrpaStock1, PatternPage);
    ConnectPageButtons(ui->btn_SengsanSaveListUp, ui->btn_SengsanSaveListDown, ui->grid_SengsanSaveList, SavePage);
}

TF1012_ProducePattern::~TF1012_ProducePattern() = default;

void TF1012_ProducePattern::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || m_shownOnce)
        return;
    m_shownOnce = true;
    try {
        FormShow();
    } catch (const std::exception &e) {
        ShowErrorBox(QString::fromUtf8(e.what()));
    }
}

void TF1012_ProducePattern::FormShow()
{
    cds_F3320_hed->Close();
    SetTextParam(*cds_F3320_hed, F("a_cmcd"), MyConfig.CompanyCode);
    SetTextParam(*cds_F3320_hed, F("a_buut"), MyConfig.StoreCode);
    SetTextParam(*cds_F3320_hed, F("a_name"), QString());
    cds_F3320_hed->Open();
}

QString TF1012_ProducePattern::PatternLine() const
{
    if (!cds_F3320_hed->Active() || cds_F3320_hed->IsEmpty())
        return QString();
    return cds_F3320_hed->FieldByName(F("UHLINB")).AsString();
}

QString TF1012_ProducePattern::PatternLineName() const
{
    if (!cds_F3320_hed->Active() || cds_F3320_hed->IsEmpty())
        return QString();
    return cds_F3320_hed->FieldByName(F("uhlinb_name")).AsString();
}

// --- the shown lines ------------------------------------------------------------

void TF1012_ProducePattern::grid_PrpaStock1CellClick()
{
    if (!vtb_SengsanPeten->Active() || !cds_F3320_hed->Active() || cds_F3320_hed->IsEmpty())
        return;
    const Shown touched{cds_F3320_hed->FieldByName(F("UHNUMB")).AsInteger(),
                        cds_F3320_hed->FieldByName(F("UHNAME")).AsString()};
    try {
        cds_F3321_det->Close();
        SetTextParam(*cds_F3321_det, F("a_cmcd"), MyConfig.CompanyCode);
        SetTextParam(*cds_F3321_det, F("a_buut"), MyConfig.StoreCode);
        SetParam(*cds_F3321_det, FieldType::Integer, F("a_numb"), touched.pattern);
        cds_F3321_det->Open();
        postLines();
        m_shown = Shown();
        FillLines(*vtb_SengsanPeten, *cds_F3321_det,
                  {{"ADNUMB", "UDNUMB"},
                   {"ADSEQ", "UDSEQ"},
                   {"IMITNB", "UDITNB"},
                   {"ADMDAN", "UDMDAN"},
                   {"ADLDAN", "UDLDAN"},
                   {"ADMCAL", "UDMCAL"},
                   {"IMNAME", "itnb_name"},
                   {"ADUNIT", "UDUNIT"},
                   {"ADQTY", "UDQTY"},
                   {"LINB", "LINB"}},
                  LineCopy::ByLineType, [](DataSet &line, DataSet &row) {
                      line.FieldByName(F("IMITTY")).setAsString(ItemTypeWord(row.FieldByName(F("IMITTY")).AsString()));
                      line.FieldByName(F("ADUPRC")).setAsInteger(0);
                      line.FieldByName(F("ADUPRC000")).setAsInteger(0);
                  });
        m_shown = touched;
        cds_F3321_det->Close();
    } catch (const std::exception &) {
        WriteLog(QStringLiteral("F1012_ProducePattern cds_F3321_det Error"));
    }
}

void TF1012_ProducePattern::grid_PrpaStock2CellClick()
{
    SelectQuantityColumn(ui->grid_PrpaStock2); // the key pad types into the quantity
}

void TF1012_ProducePattern::PadKeyMouseUp(int tag)
{
    // Without a shown line the key pad does nothing (TypePadKey): editing an
    // empty table would start a line without an item.
    TypePadKey(ui->grid_PrpaStock2, *vtb_SengsanPeten, tag);
}

void TF1012_ProducePattern::btn_EnterClick() { NextLine(*vtb_SengsanPeten); }

// What is typed goes into the current line, and the cell editor closes: the
// lines are about to be kept, saved or replaced, and an editor left open
// would show a stale text over the next lines.
void TF1012_ProducePattern::postLines()
{
    ui->grid_PrpaStock2->setEditorMode(false);
    vtb_SengsanPeten->CheckBrowseMode();
}

// --- temporary saves --------------------------------------------------------------

// One line appended to `to` from the current line of `from` (or the row a
// RowScope reads).
void TF1012_ProducePattern::appendLine(DataSet &to, const DataSet &from)
{
    to.Append();
    for (const char *name : kLineFields)
        to.FieldByName(F(name)).setAsVariant(from.FieldByName(F(name)).AsVariant());
    to.FieldByName(F("IMITTY")).setAsString(ItemTypeWord(from.FieldByName(F("IMITTY")).AsString()));
    to.Post();
}

void TF1012_ProducePattern::deleteBasketLines(int pattern)
{
    const ControlsOff quiet(m_basket);
    m_basket.CheckBrowseMode();
    for (int row = m_basket.rowCount() - 1; row >= 0; --row) {
        m_basket.setRecNo(row + 1);
        if (m_basket.FieldByName(F("ADNUMB")).AsInteger() == pattern)
            m_basket.Delete();
    }
}

// The shown lines become the temporary save of their own pattern: its entry
// (added when it has none) and its lines in the basket, replacing the lines
// it held there. The shown lines are emptied. Errors propagate.
void TF1012_ProducePattern::keepShownLines()
{
    const Shown shown = m_shown;
    if (!vtb_PetenImsi->Locate(F("UHNUMB"), shown.pattern)) {
        vtb_PetenImsi->Append();
        vtb_PetenImsi->FieldByName(F("UHNUMB")).setAsInteger(shown.pattern);
        vtb_PetenImsi->FieldByName(F("ImsiName")).setAsString(shown.name);
        vtb_PetenImsi->Post();
    }
    deleteBasketLines(shown.pattern);
    {
        const ControlsOff quiet(m_basket);
        for (int row = 0; row < vtb_SengsanPeten->rowCount(); ++row) {
            const DataSet::RowScope scope(*vtb_SengsanPeten, row);
            appendLine(m_basket, *vtb_SengsanPeten);
        }
    }
    vtb_SengsanPeten->EmptyTable();
    m_shown = Shown();
}

void TF1012_ProducePattern::btn_ImsiSaveClick()
{
    postLines();
    if (vtb_SengsanPeten->IsEmpty())
        return; // no shown pattern: nothing to keep
    const bool replacing = vtb_PetenImsi->Locate(F("UHNUMB"), m_shown.pattern);
    RunLogged(replacing ? QStringLiteral("F1012_ProducePattern.cds_F3320_hed Error:")
                        : QStringLiteral("F1003_Produce.cds_F3320_hed Error:"),
              [this] { keepShownLines(); });
}

void TF1012_ProducePattern::grid_SengsanSaveListCellClick()
{
    if (vtb_PetenImsi->IsEmpty())
        return;
    const Shown touched{vtb_PetenImsi->FieldByName(F("UHNUMB")).AsInteger(),
                        vtb_PetenImsi->FieldByName(F("ImsiName")).AsString()};
    RunLogged(QStringLiteral("F1012_ProducePattern.cds_F2110_s Error:"), [&] {
        postLines();
        m_shown = Shown();
        {
            const ControlsOff quiet(*vtb_SengsanPeten);
            vtb_SengsanPeten->EmptyTable();
            for (int row = 0; row < m_basket.rowCount(); ++row) {
                const DataSet::RowScope scope(m_basket, row);
                if (m_basket.FieldByName(F("ADNUMB")).AsInteger() == touched.pattern)
                    appendLine(*vtb_SengsanPeten, m_basket);
            }
            vtb_SengsanPeten->First();
        }
        m_shown = touched;
    });
    ui->Edit3->setText(QString::number(touched.pattern));
}

void TF1012_ProducePattern::btn_DelClick()
{
    const QString touched = ui->Edit3->text();
    if (touched.isEmpty()) {
        ShowMessageBox(QStringLiteral("생산패턴 임시저장 삭제할 항목이 없습니다."), mkNotice, 3000);
        return;
    }
    // The temporary save touched last, wherever the list's cursor stands;
    // nothing when it is gone.
    RunLogged(QStringLiteral("F1012_ProducePattern.cds_F2110_s Error:"), [&] {
        if (!vtb_PetenImsi->Locate(F("UHNUMB"), touched.toInt()))
            return;
        vtb_PetenImsi->Delete();
        deleteBasketLines(touched.toInt());
    });
}

// --- hand-over, save and print -------------------------------------------------------

void TF1012_ProducePattern::btn_OkClick()
{
    postLines();
    if (vtb_SengsanPeten->IsEmpty())
        return;
    // Typed quantities are never left out: the shown lines join the
    // temporary saves before everything is handed over.
    if (!RunLogged(QStringLiteral("F652_RegOrder.cds_F2110_s Error:"), [this] {
            keepShownLines();
            m_basket.CheckBrowseMode();
        }))
        return;
    m_handedOver = true;
    done(OkResult);
}

void TF1012_ProducePattern::btn_SengsanClick()
{
    postLines();
    m_basket.CheckBrowseMode();
    DataSet *source = nullptr;
    if (!m_basket.IsEmpty() && vtb_SengsanPeten->IsEmpty())
        source = &m_basket;
    else if (!vtb_SengsanPeten->IsEmpty() && m_basket.IsEmpty())
        source = vtb_SengsanPeten;
    else
        return;
    if (AskMessageBox(QStringLiteral("생산 등록 하시겠습니까?"), mkOkCancel) != mrYes)
        return;

    // A number held by a failed save is sent again with its own date, so the
    // retry completes that document instead of leaving it half written.
    const QDate date = m_number.holds() ? m_heldDate : os::Now().date();
    const QString month = date.toString(QStringLiteral("yyyyMM"));
    qint64 number = 0;
    const bool saved = RunLogged(QStringLiteral("F1012_ProducePattern.cds_Sengsan.생산 저장 Error:"), [&] {
        number = m_number.numberFor(ProductionKind, month);
        m_heldDate = date;
        ui->Edit5->setText(QString::number(number));
        WriteProductionDocument(m_insert,
                                {number, month, date.toString(QStringLiteral("yyyy")),
                                 date.toString(QStringLiteral("yyyyMMdd")), QStringLiteral("001"), kFormName},
                                *source,
                                {[](const DataSet &line) { return line.FieldByName(F("LINB")).AsString(); },
                                 [](const DataSet &) { return 0.0; }});
        m_number.completed();
    });
    if (!saved) {
        ShowMessageBox(QStringLiteral("생산 저장에 실패하였습니다."), mkNotice, 3000);
        return;
    }
    SavedNumb = QString::number(number);
    m_savedDate = date;
    ui->Edit3->clear();
    ui->Edit5->setText(QStringLiteral("0"));
    vtb_SengsanPeten->EmptyTable();
    vtb_PetenImsi->EmptyTable();
    m_basket.EmptyTable();
    m_shown = Shown();
}

void TF1012_ProducePattern::btn_A4ysPrintClick()
{
    if (SavedNumb.isEmpty()) {
        ShowMessageBox(QStringLiteral("생산한 내역이 없습니다."), mkNotice, 2000);
        return;
    }
    QList<ProductionSlipLine> lines;
    try {
        // Re-read under the save's own date: its month keys the document.
        lines = ReadProductionSlipLines(this, m_savedDate, SavedNumb.toLongLong());
    } catch (const std::exception &e) {
        ShowErrorBox(QString::fromUtf8(e.what()));
        return;
    }
    if (MyConfig.pcprst != QLatin1String("1"))
        return;
    QStringList slip;
    if (!RunLogged(QStringLiteral("F1003_Produce.cds_F3301_det.btn_Menu6 Error:"),
                   [&] { slip = ProductionSlip(QStringLiteral("[생   산]"), lines); }))
        return;
    if (ReceiptPrintThread) {
        ReceiptPrintThread->Copies = 1;
        ReceiptPrintThread->Print(slip);
        ReceiptPrintThread->PrintRequested = true;
    }
}

// --- closing -----------------------------------------------------------------------

void TF1012_ProducePattern::btn_CloseClick() { done(CloseResult); }

void TF1012_ProducePattern::done(int result)
{
    if (result != OkResult || !m_handedOver)
        restoreBasket();
    QDialog::done(result);
}

// Production entry's basket as it was before the screen opened: the
// temporary saves end with the screen, unsaved or reloaded lines come back.
void TF1012_ProducePattern::restoreBasket()
{
    m_basket.Cancel();
    m_basket.LoadRows(m_basket.FieldDefs(), QList<QList<QVariant>>(m_basketBefore));
    if (m_basketRecNo > 0)
        m_basket.setRecNo(m_basketRecNo);
}
