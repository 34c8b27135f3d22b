#include "documents/U1013_ReleaseList.h"
#include "ui_U1013_ReleaseList.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/PageGrid.h"
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

// One line of an entry as the copy hands it to the basket.
struct CopiedLine {
    int seq = 0;
    QString item, name, unit, type;
    double quantity = 0;
    int price = 0;
    int receivedOrder = 0;
};

} // namespace

TF1013_ReleaseList::TF1013_ReleaseList(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(std::make_unique<Ui::TF1013_ReleaseList>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("F1013_ReleaseList"));
    setFixedSize(1024, 768);

    cds_F3200_hed = NewRemoteCall(this, "cds_F3200_hed", "dspStoredProc8", QStringLiteral("[GP_SELECT_F3200_DELIVERYENTRY_POS]"));
    cds_F3201_det = NewRemoteCall(this, "cds_F3201_det", "dspStoredProc9", QStringLiteral("[GP_SELECT_F3201_DELIVERYENTRY]"));
    cds_F3201_det->AfterOpen = [](DataSet &ds) {
        for (const char *name : {"DDUPRC", "DDAMT"})
            if (Field *f = ds.FindField(F(name)))
                f->setDisplayFormat(QStringLiteral("#,##0"));
        for (const char *name : {"DDQTY", "odqty"})
            if (Field *f = ds.FindField(F(name)))
                f->setDisplayFormat(QStringLiteral("#,##0.##"));
    };

    ui->grid_ChStock1->setOptions(kRowSelectOptions);
    ui->grid_ChStock1->setDefaultRowHeight(30);
    ui->grid_ChStock1->setDataSource(cds_F3200_hed);
    AddGridColumn(ui->grid_ChStock1, F("bunho"), QStringLiteral("출고번호"), 101);
    AddGridColumn(ui->grid_ChStock1, F("DHADNB_name"), QStringLiteral("거래처명"), 0)->setVisible(false);
    AddGridColumn(ui->grid_ChStock1, F("DHCHTY_NAME"), QStringLiteral("출고형태"), 157);

    ui->grid_ChStock2->setOptions(kRowSelectOptions);
    ui->grid_ChStock2->setDefaultRowHeight(30);
    ui->grid_ChStock2->setDataSource(cds_F3201_det);
    struct Col {
        const char *field, *title;
        int width;
        bool centred;
    };
    static const Col lineColumns[] = {{"DDSEQ", "순", 31, false},      {"itty_name", "유형", 55, true},
                                      {"IMNAME", "제 품 명", 177, false}, {"DDUNIT", "단위", 37, true},
                                      {"DDQTY", "출수량", 57, false},    {"DDUPRC", "단가", 67, false},
                                      {"DDAMT", "금액", 81, false},      {"bunho", "수주번호", 90, false},
                                      {"odqty", "수수량", 57, false}};
    for (const Col &c : lineColumns) {
        TColumn *column = AddGridColumn(ui->grid_ChStock2, F(c.field), QString::fromUtf8(c.title), c.width);
        if (c.centred)
            column->setAlignment(Qt::AlignCenter);
    }

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
    for (TMirelImgBtn *b : {ui->btn_ChStock1Up, ui->btn_ChStock1Down})
        connect(b, &TMirelImgBtn::OnClick, this, [this, b] { PageGrid(ui->grid_ChStock1, b->Tag(), RowsPerPage); });
    for (TMirelImgBtn *b : {ui->btn_ChStock2Up, ui->btn_ChStock2Down})
        connect(b, &TMirelImgBtn::OnClick, this, [this, b] { PageGrid(ui->grid_ChStock2, b->Tag(), RowsPerPage); });
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
    QList<CopiedLine> lines;
    try {
        OpenEntryLines(m_chosen.month, m_chosen.number);
        DataSet &d = *cds_F3201_det;
        for (d.First(); !d.Eof(); d.Next()) {
            CopiedLine line;
            line.seq = d.FieldByName(F("DDSEQ")).AsInteger();
            line.item = d.FieldByName(F("DDITNB")).AsString();
            line.name = d.FieldByName(F("IMNAME")).AsString();
            line.unit = d.FieldByName(F("DDUNIT")).AsString();
            line.type = d.FieldByName(F("itty_name")).AsString();
            line.quantity = d.FieldByName(F("DDQTY")).AsFloat();
            line.price = d.FieldByName(F("DDUPRC")).AsInteger();
            line.receivedOrder = d.FieldByName(F("DDSUNUMB")).AsInteger();
            lines.append(line);
        }
    } catch (const std::exception &e) {
        WriteLog(QStringLiteral("F1013_ReleaseList.btn_ScEdit Error"));
        ShowErrorBox(QString::fromUtf8(e.what()));
        return;
    }

    DataSet &basket = *TargetBasket;
    {
        const ControlsOff quiet(basket);
        basket.EmptyTable();
        for (const CopiedLine &line : lines) {
            basket.Append();
            basket.FieldByName(F("ADSEQ")).setAsInteger(line.seq);
            basket.FieldByName(F("IMITNB")).setAsString(line.item);
            basket.FieldByName(F("IMNAME")).setAsString(line.name);
            basket.FieldByName(F("ADUNIT")).setAsString(line.unit);
            basket.FieldByName(F("IMITTY")).setAsString(line.type);
            basket.FieldByName(F("ADQTY")).setAsFloat(line.quantity);
            basket.FieldByName(F("ADUPRC2")).setAsInteger(line.price);
            basket.FieldByName(F("ADUPRC001")).setAsInteger(line.price);
            basket.FieldByName(F("SUSUM")).setAsInteger(line.receivedOrder);
            basket.Post();
        }
    }
    cds_F3201_det->Close();
    done(CopiedResult);
}
