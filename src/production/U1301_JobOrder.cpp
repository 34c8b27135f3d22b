#include "production/U1301_JobOrder.h"
#include "ui_ItemEntryScreen.h"
#include "ui_U1301_JobOrder.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/MirelMenuBtn.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/uKV_Common_Msg.h"
#include "platform/dataset/DataSet.h"
#include "platform/remote/ClientDataSet.h"
#include "production/U1301_ObtainSearch.h"
#include "production/U1301_WorkDirections.h"
#include "shell/MenuTags.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

TF1301_JobOrder *F1301_JobOrder = nullptr;

namespace {

const QString kSearchState = QStringLiteral("수주 찾기 진행중");
const QString kReloadState = QStringLiteral("작업 지시서 진행중");

QString F(const char *name) { return QLatin1String(name); }

QString day(const QDate &date) { return date.toString(QStringLiteral("yyyyMMdd")); }

} // namespace

TF1301_JobOrder::TF1301_JobOrder(QWidget *parent)
    : TItemEntryScreen(MenuTag::JobOrder, parent), m_ui(std::make_unique<Ui::TF1301_JobOrder>())
{
    m_ui->setupUi(this);
    setObjectName(FormName());
    Ui::TItemEntryScreen &f = form();
    // The job order's layout of the shared controls.
    f.date_Wantdate->setGeometry(0, 3, 162, 30);
    f.time_Wanttime->setGeometry(168, 5, 161, 27);
    f.btn_Menu10->setObjectName(QStringLiteral("btn_BarjuList")); // 651310
    f.btn_Menu10->setGeometry(15, 607, 180, 53);
    f.btn_Menu10->setCaption(QStringLiteral("수주 찾기"));
    f.btn_Menu11->hide(); // 651311: none on this screen
    f.btn_Menu1->setGeometry(15, 663, 88, 53);
    f.btn_Menu2->setGeometry(107, 663, 88, 53);
    f.btn_Menu4->hide(); // no materials are ordered for production
    f.btn_Menu5->setGeometry(9, 725, 89, 32);
    f.btn_Menu6->setGeometry(104, 725, 89, 32);
    f.btn_Menu8->setGeometry(199, 725, 89, 32);
    f.btn_Menu9->setGeometry(418, 725, 89, 32);
    f.btn_Menu9->setCaption(QStringLiteral("등록"));
    f.btn_Menu9->show();

    cds_SUju = NewRemoteCall(this, "cds_SUju", "dspStoredProc6", QStringLiteral("[GP_INSERT_F3310_WORKENTRY]"));
    cds_F3310_SujuDel =
        NewRemoteCall(this, "cds_F3310_SujuDel", "dspStoredProc10", QStringLiteral("[GP_DELETE_F3310_WORKENTRY]"));
}

TF1301_JobOrder::~TF1301_JobOrder()
{
    if (F1301_JobOrder == this)
        F1301_JobOrder = nullptr;
}

// --- basket ---

QList<FieldDef> TF1301_JobOrder::BasketFields() const
{
    // The received-order search fills the five after the shared fields; no
    // save and no slip reads them.
    QList<FieldDef> fields = ItemEntryBasketFields();
    fields << FieldDef{F("ohnydt"), FieldType::String, 10} << FieldDef{F("IMJJGO"), FieldType::Float}
           << FieldDef{F("current_qty"), FieldType::Float} << FieldDef{F("forcast_qty"), FieldType::Float}
           << FieldDef{F("product_qty"), FieldType::Float};
    return fields;
}

void TF1301_JobOrder::SetupGridColumns()
{
    AddBasketColumns({{"ADSEQ", "No", 39, true},
                      {"IMNAME", "품명", 323},
                      {"ADQTY", "수량", 57},
                      {"ADUNIT", "단위", 43, true},
                      {"ADAMT", "합계", 60, false, false},
                      {"SonsilSu", "비고", 53},
                      {"sss", "부가세여부코드", 30}});
}

QString TF1301_JobOrder::SearchFilter() const
{
    return QStringLiteral(" (IMITTY = '1' or IMITTY = '2' or IMITTY = '3') ");
}

QFont TF1301_JobOrder::ItemButtonFont() const
{
    QFont font(QStringLiteral("굴림체"), 12);
    font.setBold(true);
    return font;
}

void TF1301_JobOrder::ShowCurrentLineExtra()
{
    // The unit button shows the line's quantity in its order unit.
    DataSet &b = *vtb_STOCK;
    form().btn_Danui1->setCaption(QString::number(b.FieldByName(F("ADQTY")).AsFloat(), 'g', 15) + " "
                                  + b.FieldByName(F("ADLDAN")).AsString());
}

void TF1301_JobOrder::ClearEntryFields()
{
    TItemEntryScreen::ClearEntryFields();
    for (QLineEdit *edit : {m_ui->Edit32, form().Edit33, m_ui->Edit100})
        edit->clear();
}

void TF1301_JobOrder::btn_AllDelClick()
{
    const bool hadLines = vtb_STOCK->RecordCount() > 0;
    TItemEntryScreen::btn_AllDelClick();
    if (hadLines && vtb_STOCK->RecordCount() == 0)
        SavedKind = 0;
}

// --- actions ---

void TF1301_JobOrder::MemberAction(int tag)
{
    if (tag == TagSave)
        RegisterJobOrder();
    else if (tag == TagAction1)
        SearchReceivedOrders();
}

void TF1301_JobOrder::RegisterJobOrder()
{
    if (vtb_STOCK->RecordCount() == 0)
        return;
    const QString state = form().lab_BanpumNeyek->text();
    if (state.isEmpty() || state == kSearchState)
        RegisterNew();
    else if (state == kReloadState)
        RegisterReloaded();
}

void TF1301_JobOrder::RegisterNew()
{
    if (AskMessageBox(QStringLiteral("수주 등록 하시겠습니까?"), mkOkCancel) != mrYes)
        return;
    // The number of the chosen date's month, held until the registration
    // completes; a server error reaches the error box with the basket kept.
    SaveEntry();
    SavedKind = 1;
    m_slipTitle = QStringLiteral("[수주찾기 등록]");
}

void TF1301_JobOrder::RegisterReloaded()
{
    if (AskMessageBox(QStringLiteral("작업 지시서 등록 하시겠습니까?"), mkOkCancel) != mrYes)
        return;
    const QString number = form().Edit31->text();
    const QString orderDay = form().Edit33->text();
    // The delivery day as the list gave it; the server's empty date
    // (1900-01-01) stands for none, so there is always a day to send.
    const QString productionDay = day(QDate::fromString(m_ui->Edit100->text(), Qt::ISODate));
    WriteJobOrder(number.toLongLong(), form().Edit30->text(), m_ui->Edit32->text(), orderDay, productionDay);
    SavedNumb = number;
    SavedTime = QDateTime(QDate::fromString(orderDay, QStringLiteral("yyyyMMdd")), QTime(0, 0));
    SavedKind = 2;
    m_slipTitle = QStringLiteral("[작업 지시서 등록]");
    ResetBasket(true);
}

void TF1301_JobOrder::SaveSteps(qint64 number, const QString &month, const QDate &date)
{
    WriteJobOrder(number, month, date.toString(QStringLiteral("yyyy")), day(date), day(date));
}

void TF1301_JobOrder::WriteJobOrder(qint64 number, const QString &month, const QString &year,
                                    const QString &orderDay, const QString &productionDay)
{
    ClientDataSet &c = *cds_SUju;
    const QString user = MyConfig.UIADNB;
    const QString formName = FormName();
    auto text = [&c](const char *name, const QString &value) { SetTextParam(c, F(name), value); };
    auto integer = [&c](const char *name, qint64 value) { SetParam(c, FieldType::Integer, F(name), value); };
    auto real = [&c](const char *name, double value) { SetParam(c, FieldType::Float, F(name), value); };

    // The header: the production day and the delivery day are one day.
    SetParam(c, FieldType::SmallInt, F("GUBUN"), 1);
    text("JHCMCD", MyConfig.CompanyCode);
    text("JHBUUT", MyConfig.StoreCode);
    text("JHMONTH", month);
    integer("JHNUMB", number);
    text("JHYEAR", year);
    text("JHDATE", orderDay);
    text("JHSEDATE", productionDay);
    text("JHNYDT", productionDay);
    for (const char *empty : {"JHLINB", "JHADNB", "JHSTTM", "JHEDTM", "JHBIGO"})
        text(empty, QString());
    text("JHWORK", user);
    text("JHPGID", formName);
    c.Execute();

    // Every line, whatever its quantity, in basket order.
    DataSet &b = *vtb_STOCK;
    for (int row = 0; row < b.rowCount(); ++row) {
        const DataSet::RowScope scope(b, row);
        auto field = [&b](const char *name) -> const Field & { return b.FieldByName(F(name)); };
        SetParam(c, FieldType::SmallInt, F("GUBUN"), 2);
        text("JDCMCD", MyConfig.CompanyCode);
        text("JDBUUT", MyConfig.StoreCode);
        text("JDMONTH", month);
        integer("JDNUMB", number);
        integer("JDSEQ", row + 1);
        text("JDITNB", field("IMITNB").AsString());
        for (const char *empty : {"JDBAR", "JDRFID", "JDLINB", "JDBDAN"})
            text(empty, QString());
        text("JDUNIT", field("ADUNIT").AsString());
        real("JDQTY", field("ADQTY").AsFloat());
        integer("JDUPRC", 0);
        integer("JDAMT", 0);
        text("JDMDAN", field("ADMDAN").AsString());
        text("JDLDAN", field("ADLDAN").AsString());
        real("JDMQTY", 0);
        real("JDSQTY", 0);
        real("JDMCAL", field("ADMCAL").AsFloat());
        real("JDLQTY", 0);
        for (const char *empty : {"JDSJSY", "JDSTTM", "JDEDTM", "JDBIGO", "JDSUMONTH"})
            text(empty, QString());
        integer("JDSUNUMB", 0);
        integer("JDSUSEQ", 0);
        text("JDWORK", user);
        text("JDPGID", formName);
        c.Execute();
    }
}

void TF1301_JobOrder::DeleteEntry()
{
    if (form().lab_BanpumNeyek->text() != kReloadState)
        return;
    if (AskMessageBox(QStringLiteral("한번 삭제되면 복구가 안됩니다 정말로 삭제하시겠습니까?"), mkOkCancel) != mrYes)
        return;
    ClientDataSet &c = *cds_F3310_SujuDel;
    SetTextParam(c, F("JHCMCD"), MyConfig.CompanyCode);
    SetTextParam(c, F("JHBUUT"), MyConfig.StoreCode);
    SetTextParam(c, F("JHMONTH"), form().Edit30->text());
    SetParam(c, FieldType::Integer, F("JHNUMB"), form().Edit31->text().toLongLong());
    c.Execute(); // a refusal reaches the error box; the basket stays
    ResetBasket(false);
    SavedKind = 0;
}

// --- pickers and the slip ---

bool TF1301_JobOrder::RunReloadPicker(QString &month, QString &number, QDate &date)
{
    TF1301_WorkDirections list(this);
    list.ListMode = QStringLiteral("1");
    list.TargetBasket = vtb_STOCK;
    if (list.exec() != TF1301_WorkDirections::CopiedResult)
        return false;
    const TF1301_WorkDirections::JobOrder chosen = list.ChosenJobOrder();
    month = chosen.month;
    number = QString::number(chosen.number);
    date = chosen.date;
    // The year and the delivery day belong to the reloaded state, which
    // begins only when a line of quantity above -1 stays.
    bool anyKept = false;
    for (int row = 0; row < vtb_STOCK->rowCount() && !anyKept; ++row) {
        const DataSet::RowScope scope(*vtb_STOCK, row);
        anyKept = vtb_STOCK->FieldByName(F("ADQTY")).AsFloat() > -1;
    }
    if (anyKept) {
        m_ui->Edit32->setText(chosen.year);
        m_ui->Edit100->setText(chosen.deliveryDate.toString(Qt::ISODate));
    }
    return true;
}

QString TF1301_JobOrder::ReloadStateText() const { return kReloadState; }

void TF1301_JobOrder::SearchReceivedOrders()
{
    TF1301_ObtainSearch search(this);
    search.TargetBasket = vtb_STOCK;
    if (search.exec() != TF1301_ObtainSearch::CopiedResult)
        return;
    RecomputeTotals();
    if (vtb_STOCK->RecordCount() == 0)
        return;
    // A registration now makes a new job order for the searched day.
    form().lab_BanpumNeyek->setText(kSearchState);
    form().date_Wantdate->setDate(search.SearchDate());
    ShowCurrentLine();
}

QList<TItemEntryScreen::SlipLine> TF1301_JobOrder::ReadSavedEntry(const QString &number, const QDateTime &time)
{
    TF1301_WorkDirections list(this); // never shown: only its line query
    list.OpenJobOrderLines(time.toString(QStringLiteral("yyyyMM")), number.toLongLong());
    QList<SlipLine> lines;
    DataSet &d = *list.cds_F3311_det;
    for (d.First(); !d.Eof(); d.Next())
        lines.append({d.FieldByName(F("imname")).AsString(), d.FieldByName(F("JDQTY")).AsFloat(),
                      d.FieldByName(F("JDUNIT")).AsString()});
    return lines;
}
