#include "documents/U1013_ReleaseList.h"
#include "ui_U1013_ReleaseList.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "documents/BasketLines.h"
#include "documents/PickerGrid.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "platform/dataset/ControlsOff.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"
#include "shell/RaldApplication.h"

#include <QDateEdit>
#include <QLabel>
#include <QShowEvent>

#include <exception>

TF1013_ReleaseList *F1013_ReleaseList = nullptr;

namespace {

// Whole rows, always showing the selection.
constexpr int kRowSelectOptions = dgTitles | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection;
// The line grid while shown: several lines, each touch toggling one.
constexpr int kMultiSelectOptions = dgTitles | dgColLines | dgRowLines | dgAlwaysShowSelection | dgMultiSelect;

QString F(const char *name) { return QLatin1String(name); }

} // namespace

TF1013_ReleaseList::TF1013_ReleaseList(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(std::make_unique<Ui::TF1013_ReleaseList>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("F1013_ReleaseList"));
    setFixedSize(1024, 768);

    cds_F3200_hed = NewRemoteCall(this, "cds_F3200_hed", "dspStoredProc8", QStringLiteral("[GP_SELECT_F3200_DELIVERYENTRY_POS]"));
    cds_F3201_det = NewRemoteCall(this, "cds_F3201_det", "dspStoredProc9", QStringLiteral("[GP_SELECT_F3201_DELIVERYENTRY]"));
    ShowFormatsOnOpen(*cds_F3201_det, {{{"DDUPRC", "DDAMT"}, QStringLiteral("#,##0")},
                                       {{"DDQTY", "odqty"}, QStringLiteral("#,##0.##")}});

    SetUpPickerGrid(ui->grid_ChStock1, cds_F3200_hed,
                    {{"bunho", "출고번호", 101}, {"DHADNB_name", "거래처명", 0}, {"DHCHTY_NAME", "출고형태", 157}});
    ui->grid_ChStock1->Columns().Items(1)->setVisible(false);

    SetUpPickerGrid(ui->grid_ChStock2, cds_F3201_det,
                    {{"DDSEQ", "순", 31},        {"itty_name", "유형", 55, true}, {"IMNAME", "제 품 명", 177},
                     {"DDUNIT", "단위", 37, true}, {"DDQTY", "출수량", 57},        {"DDUPRC", "단가", 67},
                     {"DDAMT", "금액", 81},       {"bunho", "수주번호", 90},      {"odqty", "수수량", 57}});

    connect(ui->btn_Close, &TMirelImgBtn::OnClick, this, [this] { done(ClosedResult); });
    connect(ui->btn_chulgoStockHedsearch, &TMirelImgBtn::OnClick, this, [this] { btn_chulgoStockHedsearchClick(); });
    connect(ui->grid_ChStock1, &TMirelGrid::OnCellClick, this, [this] { grid_ChStock1CellClick(); });
    connect(ui->btn_ScEdit, &TMirelImgBtn::OnClick, this, [this] { btn_ScEditClick(); });
    const std::pair<TMirelImgBtn *, ItemTypeButton> typeButtons[] = {
        {ui->btn_ChAll, ItemTypeButton::All},         {ui->btn_ChJefum, ItemTypeButton::Product},
        {ui->btn_ChBanjefum, ItemTypeButton::SemiProduct}, {ui->btn_ChSangfum, ItemTypeButton::Goods},
        {ui->btn_ChJeruo, ItemTypeButton::Materials}};
    for (const auto &[button, type] : typeButtons)
        connect(button, &TMirelImgBtn::OnClick, this, [this, type = type] { ItemTypeClick(type); });
    ConnectPageButtons(ui->btn_ChStock1Up, ui->btn_ChStock1Down, ui->grid_ChStock1, RowsPerPage);
    ConnectPageButtons(ui->btn_ChStock2Up, ui->btn_ChStock2Down, ui->grid_ChStock2, RowsPerPage);
}

TF1013_ReleaseList::~TF1013_ReleaseList()
{
    if (F1013_ReleaseList == this)
        F1013_ReleaseList = nullptr;
}

QString TF1013_ReleaseList::ModeFilter(const QString &mode)
{
    return mode == QLatin1String("1") ? QStringLiteral("DHCHTY = '010' or DHCHTY = '005' ")
                                      : QStringLiteral("DHCHTY = '004' or DHCHTY = '003' ");
}

void TF1013_ReleaseList::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || m_shown)
        return;
    m_shown = true;
    FormShow();
}

void TF1013_ReleaseList::FormShow()
{
    const QDate today = os::Now().date();
    ui->date_ChSearch1->setDate(today);
    ui->date_ChSearch2->setDate(today);
    ui->Image1->hide();
    ui->Image3->show();
    const bool secondaryAndDiscards = ListMode == QLatin1String("1");
    ui->btn_ChSangfum->setVisible(!secondaryAndDiscards);
    ui->btn_ChJeruo->setVisible(!secondaryAndDiscards);
    ui->grid_ChStock2->setOptions(kMultiSelectOptions);
    ui->grid_ChStock2->setToggleSelect(true);
}

void TF1013_ReleaseList::done(int result)
{
    ui->grid_ChStock2->setToggleSelect(false);
    ui->grid_ChStock2->setOptions(kRowSelectOptions);
    QDialog::done(result);
}

void TF1013_ReleaseList::btn_chulgoStockHedsearchClick()
{
    cds_F3200_hed->Close();
    Params &p = cds_F3200_hed->Params();
    p.CreateParam(FieldType::String, F("a_cmcd")).setAsString(MyConfig.CompanyCode);
    p.CreateParam(FieldType::String, F("a_buut")).setAsString(MyConfig.StoreCode);
    p.CreateParam(FieldType::String, F("a_name")).setAsString(QString());
    p.CreateParam(FieldType::String, F("a_stdt")).setAsString(ui->date_ChSearch1->date().toString(QStringLiteral("yyyyMMdd")));
    p.CreateParam(FieldType::String, F("a_eddt")).setAsString(ui->date_ChSearch2->date().toString(QStringLiteral("yyyyMMdd")));
    p.CreateParam(FieldType::String, F("a_month")).setAsString(QString());
    p.CreateParam(FieldType::Integer, F("a_numb")).setAsInteger(0);
    cds_F3200_hed->Open(); // a server error reaches the error box; the lines stay as they were
    ApplyClientFilter(*cds_F3200_hed, ModeFilter(ListMode));
}

void TF1013_ReleaseList::OpenEntryLines(const QString &month, qint64 number)
{
    cds_F3201_det->Close();
    Params &p = cds_F3201_det->Params();
    p.CreateParam(FieldType::String, F("A_CMCD")).setAsString(MyConfig.CompanyCode);
    p.CreateParam(FieldType::String, F("A_BUUT")).setAsString(MyConfig.StoreCode);
    p.CreateParam(FieldType::String, F("A_MONTH")).setAsString(month);
    p.CreateParam(FieldType::Integer, F("A_NUMB")).setAsInteger(int(number));
    p.CreateParam(FieldType::String, F("a_gubun")).setAsString(QString());
    cds_F3201_det->Open();
}

void TF1013_ReleaseList::grid_ChStock1CellClick()
{
    ui->btn_ChAll->setDown(true);
    cds_F3201_det->setFiltered(false);
    if (!cds_F3200_hed->Active() || cds_F3200_hed->IsEmpty())
        return;
    Entry touched;
    touched.month = cds_F3200_hed->FieldByName(F("DHMONTH")).AsString();
    touched.number = cds_F3200_hed->FieldByName(F("DHNUMB")).AsInteger();
    touched.date = cds_F3200_hed->FieldByName(F("DHDATE")).AsDateTime().date();
    // Until its lines are read, no entry is chosen: a failed read never
    // leaves the previous entry's key beside an empty line list.
    m_chosen = Entry();
    OpenEntryLines(touched.month, touched.number);
    m_chosen = touched;
}

void TF1013_ReleaseList::ItemTypeClick(ItemTypeButton button)
{
    ItemTypeFilter(*cds_F3201_det, F("itty_name"), button);
}

void TF1013_ReleaseList::btn_ScEditClick()
{
    if (m_chosen.isNull()) {
        ShowMessageBox(QStringLiteral("수정할 내역이 없습니다."), mkNotice, 2000);
        return;
    }
    if (!TargetBasket || !TargetBasket->Active())
        return;

    // Every line the item-type filter shows is read before the basket changes.
    QList<BasketLine> lines;
    try {
        OpenEntryLines(m_chosen.month, m_chosen.number);
        DataSet &d = *cds_F3201_det;
        for (d.First(); !d.Eof(); d.Next()) {
            const auto value = [&d](const char *name) { return d.FieldByName(F(name)).AsVariant(); };
            lines.append({{F("ADSEQ"), value("DDSEQ")},
                          {F("IMITNB"), value("DDITNB")},
                          {F("IMNAME"), value("IMNAME")},
                          {F("ADUNIT"), value("DDUNIT")},
                          {F("IMITTY"), value("itty_name")},
                          {F("ADQTY"), value("DDQTY")},
                          {F("ADUPRC2"), value("DDUPRC")},
                          {F("ADUPRC001"), value("DDUPRC")},
                          {F("SUSUM"), value("DDSUNUMB")}});
        }
    } catch (const std::exception &e) {
        WriteLog(QStringLiteral("F1013_ReleaseList.btn_ScEdit Error"));
        ShowErrorBox(QString::fromUtf8(e.what()));
        return;
    }

    ReplaceBasketLines(*TargetBasket, lines);
    cds_F3201_det->Close();
    done(CopiedResult);
}
