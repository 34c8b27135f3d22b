#include "production/U1003_Produce.h"
#include "ui_ItemEntryScreen.h"
#include "ui_U1003_Produce.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "documents/DocumentRights.h"
#include "documents/StockOutScreen.h"
#include "platform/dataset/DataSet.h"
#include "platform/remote/ClientDataSet.h"
#include "production/ProductionLines.h"
#include "production/ProductionSlip.h"
#include "production/ProductionWrite.h"
#include "production/U1012_ProducePattern.h"
#include "production/U1301_WorkDirections.h"
#include "production/U656_StockDetail_SengSan.h"
#include "shell/MenuTags.h"
#include "shell/RaldApplication.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

TF1003_Produce *F1003_Produce = nullptr;

namespace {

const QString kProgram = QStringLiteral("F30_PRODUCTENTRY");
const QString kReloadState = QStringLiteral("생산 내역 진행중");
const QString kJobOrderState = QStringLiteral("작업 지시서 진행중");
const QString kPatternState = QStringLiteral("생산 패턴 진행중");
const QString kCancelled = QStringLiteral("생산등록을 취소하였습니다.");

QString F(const char *name) { return QLatin1String(name); }

// A quantity edit's text as an exact decimal; 0 when it is no number.
Currency decimal(const QString &text)
{
    bool ok = false;
    const Currency value = Currency::fromString(text, &ok);
    return ok ? value : Currency();
}

Currency decimal(double value) { return Currency::fromDouble(value); }

// A line whose item may not be produced; a line without the flag (one a
// picker brought in) is not one.
bool NotProduced(DataSet &line)
{
    const Field &flag = line.FieldByName(F("SDFL"));
    return !flag.IsNull() && !flag.AsBoolean();
}

// A line of goods or of a material, as a touched item ("상품", "재료") or a
// reloaded line ("원재료", "부재료") names its kind.
bool NotProducible(DataSet &line)
{
    const QString kind = line.FieldByName(F("IMITTY")).AsString();
    return kind == QStringLiteral("상품") || IsMaterialLine(kind);
}

bool AnyLine(DataSet &basket, bool (*test)(DataSet &))
{
    for (int row = 0; row < basket.rowCount(); ++row) {
        DataSet::RowScope scope(basket, row);
        if (test(basket))
            return true;
    }
    return false;
}

} // namespace

QString ProducedAfterLoss(const QString &whole, const QString &lost)
{
    return (decimal(whole) - decimal(lost)).toString();
}

TF1003_Produce::TF1003_Produce(QWidget *parent)
    : TItemEntryScreen(MenuTag::Produce, parent), m_ui(std::make_unique<Ui::TF1003_Produce>())
{
    m_ui->setupUi(this);
    setObjectName(FormName());
    Ui::TItemEntryScreen &f = form();
    // The production's layout of the shared controls.
    f.date_Wantdate->setGeometry(1, 2, 147, 30);
    f.time_Wanttime->setGeometry(160, 5, 161, 25);
    f.btn_Menu1->setGeometry(15, 663, 88, 53);
    f.btn_Menu1->setCaption(QStringLiteral("제품"));
    f.btn_Menu2->setGeometry(107, 663, 88, 53);
    f.btn_Menu4->hide(); // no materials are produced
    f.btn_Menu9->setGeometry(422, 726, 89, 32);
    f.btn_Menu9->show();
    f.btn_Menu10->setObjectName(QStringLiteral("btn_BarjuList")); // 651310
    f.btn_Menu10->setCaption(QStringLiteral("생산패턴"));
    f.btn_Menu11->setObjectName(QStringLiteral("btn_JakyebJisise")); // 651311
    f.btn_Menu11->setCaption(QStringLiteral("작업지시서"));
    LimitTypedLength(m_ui->edt_Surang2, 5);
    m_ui->edt_Surang2->installEventFilter(this);

    cds_F0011_SengsanLine = NewProductionLineCall(this);
    cds_Sengsan = NewRemoteCall(this, "cds_Sengsan", "dspStoredProc6", QStringLiteral("[GP_INSERT_F3300_PRODUCTENTRY]"));
    cds_F3300_SengsanDel =
        NewRemoteCall(this, "cds_F3300_SengsanDel", "dspStoredProc10", QStringLiteral("[GP_DELETE_F3300_PRODUCTENTRY]"));
    m_lines = std::make_unique<ProductionLineChoice>(m_ui->combo_SengsangLine, m_ui->ComboBox3, m_ui->Edit10);
    m_lines->Reset();
}

TF1003_Produce::~TF1003_Produce()
{
    if (F1003_Produce == this)
        F1003_Produce = nullptr;
}

void TF1003_Produce::showEvent(QShowEvent *event)
{
    const bool first = !event->spontaneous() && !m_linesLoaded;
    TItemEntryScreen::showEvent(event); // the pads, the basket, the date
    if (!first)
        return;
    m_linesLoaded = true;
    m_ui->lab_JijemAalrim->setText(QStringLiteral("지점생산"));
    try {
        m_lines->Load(*cds_F0011_SengsanLine);
    } catch (const std::exception &e) {
        ShowErrorBox(QString::fromUtf8(e.what())); // the code stays "001"
    }
}

// --- basket and key pad ---

QList<FieldDef> TF1003_Produce::BasketFields() const
{
    QList<FieldDef> fields{{F("ADNUMB"), FieldType::Integer}};
    fields << ItemEntryBasketFields();
    fields << FieldDef{F("LINB"), FieldType::String, 3} << FieldDef{F("MHEPRI"), FieldType::Currency};
    return fields;
}

void TF1003_Produce::SetupGridColumns()
{
    AddBasketColumns({{"ADSEQ", "No", 39, true},
                      {"IMNAME", "품명", 269},
                      {"ADQTY", "수량", 55},
                      {"ADUNIT", "단위", 43},
                      {"SonsilSu", "손실", 55},
                      {"ADAMT", "합계", 110},
                      {"sss", "부가세여부코드", 30}});
}

QString TF1003_Produce::SearchFilter() const
{
    return QStringLiteral(" (IMITTY = '1' or IMITTY = '2' or IMITTY = '3') ");
}

bool TF1003_Produce::IsKeypadTarget(QLineEdit *edit) const
{
    return edit == form().edt_Surang1 || edit == m_ui->edt_Surang2;
}

void TF1003_Produce::NewLineFields(DataSet &line, double itemPrice)
{
    line.FieldByName(F("MHEPRI")).setAsCurrency(decimal(itemPrice));
}

void TF1003_Produce::ShowCurrentLineExtra()
{
    DataSet &b = *vtb_STOCK;
    m_ui->edt_Surang2->setText(b.FieldByName(F("SonsilSu")).AsString());
    // The basis of the loss split: the line's whole quantity, so a loss
    // typed again comes off produced + lost, not off what is left produced.
    form().Edit9->setText(
        (decimal(b.FieldByName(F("ADQTY")).AsFloat()) + decimal(b.FieldByName(F("SonsilSu")).AsFloat())).toString());
}

void TF1003_Produce::AfterDigit(QLineEdit *target)
{
    if (target == m_ui->edt_Surang2)
        form().edt_Surang1->setText(ProducedAfterLoss(form().Edit9->text(), m_ui->edt_Surang2->text()));
}

bool TF1003_Produce::OkAllowed()
{
    if (!IsKeypadTarget(KeypadTarget))
        return true;
    if (decimal(form().edt_Surang1->text()) < decimal(m_ui->edt_Surang2->text())) {
        ShowMessageBox(QStringLiteral("손실 수량이 더 많습니다"), mkNotice, 2000);
        m_ui->edt_Surang2->setFocus();
        return false;
    }
    return true;
}

void TF1003_Produce::OkLineFields(DataSet &line)
{
    const Currency produced = decimal(form().edt_Surang1->text());
    const Currency lost = decimal(m_ui->edt_Surang2->text());
    line.FieldByName(F("SonsilSu")).setAsFloat(lost.toDouble());
    line.FieldByName(F("SonPlusIlSu")).setAsFloat((produced + lost).toDouble());
    m_ui->edt_Surang2->clear();
}

void TF1003_Produce::FocusQuantity()
{
    KeypadState = QStringLiteral("0");
    KeypadTarget = form().edt_Surang1;
    form().edt_Surang1->setFocus();
    form().edt_Surang1->selectAll();
}

void TF1003_Produce::mgd_StockItemsMouseUp()
{
    if (!vtb_STOCK->Active() || vtb_STOCK->RecordCount() == 0)
        return;
    ShowCurrentLine();
    FocusQuantity();
}

void TF1003_Produce::ClearEntryFields()
{
    TItemEntryScreen::ClearEntryFields();
    m_ui->lab_JijemAalrim->clear();
    m_lines->Reset();
    m_ui->edt_Surang2->clear();
    for (QLineEdit *edit : {form().Edit30, form().Edit31, m_ui->Edit32, form().Edit33, m_ui->Edit100})
        edit->clear();
}

// --- actions ---

void TF1003_Produce::MemberAction(int tag)
{
    if (tag == TagSave)
        SaveProduction();
    else if (tag == TagAction1)
        OpenPatterns();
    else if (tag == TagAction2)
        TakeOverJobOrder();
}

void TF1003_Produce::SaveProduction()
{
    if (!HasWriteRight(kProgram))
        return;
    if (!CheckLinesBeforeSave())
        return;
    if (vtb_STOCK->RecordCount() == 0)
        return;
    if (form().lab_BanpumNeyek->text() == kReloadState)
        SaveModification();
    else
        SaveNew();
}

bool TF1003_Produce::CheckLinesBeforeSave()
{
    DataSet &b = *vtb_STOCK;
    const auto removeLines = [this, &b](bool (*test)(DataSet &)) {
        DeleteLinesWhere(test);
        b.First();
        ShowCurrentLine();
        RecomputeTotals();
    };
    if (AnyLine(b, NotProduced)) {
        // Removing them is all this press does: the user saves again.
        if (AskMessageBox(QStringLiteral("생산대상여부 불가품목이 있습니다,\r\n생산대상여부 기능으로 바꾸시려면 관리프로그램 "
                                         "\"품목등록\"을 수정하세요\r\n생산대상여부 불가품목을 삭제하시겠습니까?"),
                          mkOkCancel)
            == 6)
            removeLines(NotProduced);
        else
            ShowMessageBox(kCancelled, mkNotice, 2000);
        return false;
    }
    if (AnyLine(b, NotProducible)) {
        if (AskMessageBox(QStringLiteral("상품/재료는 생산등록 할 수 없습니다, 삭제하시겠습니까?"), mkOkCancel) != mrYes) {
            ShowMessageBox(kCancelled, mkNotice, 2000);
            return false;
        }
        removeLines(NotProducible);
    }
    return true;
}

namespace {

// A save that failed: logged and told; the basket and a drawn number stay
// for the retry.
void SaveFailed(const std::exception &e)
{
    WriteLog(QStringLiteral("F651_Stock.cds_Sengsan.생산 저장 Error:") + QString::fromUtf8(e.what()));
    ShowMessageBox(QStringLiteral("생산 저장에 실패하였습니다."), mkNotice, 3000);
}

} // namespace

void TF1003_Produce::SaveNew()
{
    if (AskMessageBox(QStringLiteral("생산 등록 하시겠습니까?"), mkOkCancel) != mrYes)
        return;
    try {
        SaveEntry(); // the number of the chosen date's month, held until the save completes
        m_slipTitle = QStringLiteral("[생   산]");
    } catch (const std::exception &e) {
        SaveFailed(e);
    }
}

void TF1003_Produce::SaveModification()
{
    if (AskMessageBox(QStringLiteral("생산 내역 수정 하시겠습니까?"), mkOkCancel) != mrYes)
        return;
    const QString number = form().Edit31->text();
    const QString day = form().Edit33->text();
    try {
        WriteProduction(number.toLongLong(), form().Edit30->text(), m_ui->Edit32->text(), day);
    } catch (const std::exception &e) {
        SaveFailed(e);
        return;
    }
    SavedNumb = number;
    SavedTime = QDateTime(QDate::fromString(day, QStringLiteral("yyyyMMdd")), QTime(0, 0));
    m_slipTitle = QStringLiteral("[생산 수정]");
    ResetBasket(false);
}

void TF1003_Produce::SaveSteps(qint64 number, const QString &month, const QDate &date)
{
    WriteProduction(number, month, date.toString(QStringLiteral("yyyy")), date.toString(QStringLiteral("yyyyMMdd")));
}

void TF1003_Produce::WriteProduction(qint64 number, const QString &month, const QString &year, const QString &day)
{
    // Every line on the screen's production line, with its raw-material cost;
    // 0 on a line without a price (reloaded), which the server costs from the
    // recipe.
    WriteProductionDocument(*cds_Sengsan, {number, month, year, day, m_ui->Edit10->text(), FormName()}, *vtb_STOCK,
                            {[this](const DataSet &) { return m_ui->Edit10->text(); },
                             [](const DataSet &line) {
                                 return (decimal(line.FieldByName(F("ADQTY")).AsFloat())
                                         * line.FieldByName(F("MHEPRI")).AsCurrency())
                                     .toDouble();
                             }});
}

void TF1003_Produce::DeleteEntry()
{
    if (!HasDeleteRight(kProgram))
        return;
    if (form().lab_BanpumNeyek->text() != kReloadState)
        return;
    if (AskMessageBox(QStringLiteral("한번 삭제되면 복구가 안됩니다 정말로 삭제하시겠습니까?"), mkOkCancel) != mrYes)
        return;
    ClientDataSet &c = *cds_F3300_SengsanDel;
    SetTextParam(c, F("A_RHCMCD"), MyConfig.CompanyCode);
    SetTextParam(c, F("A_RHBUUT"), MyConfig.StoreCode);
    SetTextParam(c, F("A_RHMONTH"), form().Edit30->text());
    SetParam(c, FieldType::Integer, F("A_RHNUMB"), form().Edit31->text().toLongLong());
    SetTextParam(c, F("A_RHWORK"), MyConfig.UIADNB);
    SetTextParam(c, F("A_RHPGID"), FormName());
    c.Execute(); // a refusal reaches the error box; the basket stays
    ResetBasket(false);
}

// --- pickers and the slip ---

bool TF1003_Produce::RunReloadPicker(QString &month, QString &number, QDate &date)
{
    TF656_StockDetail_SengSan list(this);
    list.TargetBasket = vtb_STOCK;
    if (list.exec() != TF656_StockDetail_SengSan::CopiedResult)
        return false;
    const TF656_StockDetail_SengSan::Production chosen = list.ChosenProduction();
    month = chosen.month;
    number = QString::number(chosen.number);
    date = QDate::fromString(chosen.date, QStringLiteral("yyyyMMdd"));
    m_ui->Edit32->setText(chosen.year);
    m_lines->Show(chosen.lineName, chosen.line);
    return true;
}

QString TF1003_Produce::ReloadStateText() const { return kReloadState; }

void TF1003_Produce::OpenPatterns()
{
    TF1012_ProducePattern patterns(*vtb_STOCK, *cds_BicgoAll, *cds_Sengsan, this);
    if (patterns.exec() != TF1012_ProducePattern::OkResult) {
        RecomputeTotals(); // of the basket the screen has put back as it was
        return;
    }
    // The handed-over lines: those without a quantity go, the rest are
    // numbered 1..n; they are produced on the line of the pattern chosen last.
    DeleteLinesWhere([](DataSet &line) { return line.FieldByName(F("ADQTY")).AsFloat() == 0; });
    vtb_STOCK->First();
    RecomputeTotals();
    if (vtb_STOCK->RecordCount() == 0)
        return;
    form().lab_BanpumNeyek->setText(kPatternState);
    const QString line = patterns.PatternLine();
    m_lines->Show(patterns.PatternLineName(), line);
    m_ui->ComboBox3->setCurrentIndex(m_ui->ComboBox3->findText(line));
    ShowCurrentLine();
}

void TF1003_Produce::TakeOverJobOrder()
{
    TF1301_WorkDirections list(this);
    list.ListMode = QStringLiteral("2");
    list.TargetBasket = vtb_STOCK;
    if (list.exec() != TF1301_WorkDirections::CopiedResult)
        return;
    // A new production is made of the job order's lines; it keeps no
    // reference to the job order.
    const TF1301_WorkDirections::JobOrder chosen = list.ChosenJobOrder();
    if (!TakeOverLines(kJobOrderState, chosen.month, QString::number(chosen.number), chosen.date))
        return;
    m_ui->Edit32->setText(chosen.year);
    m_ui->Edit100->setText(chosen.deliveryDate.toString(Qt::ISODate));
}

QList<TItemEntryScreen::SlipLine> TF1003_Produce::ReadSavedEntry(const QString &number, const QDateTime &time)
{
    return ReadProductionSlipLines(this, time.date(), number.toLongLong());
}

QString TF1003_Produce::SlipTimeLabel() const { return ProductionSlipTimeLabel(); }

QStringList TF1003_Produce::SlipBody(const QList<SlipLine> &lines) const { return ProductionSlipBody(lines); }
