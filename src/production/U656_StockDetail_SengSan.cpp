#include "production/U656_StockDetail_SengSan.h"
#include "ui_U656_StockDetail_SengSan.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "documents/BasketLines.h"
#include "documents/DocumentCalls.h"
#include "documents/PickerGrid.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"

#include <QDate>
#include <QShowEvent>

namespace {

QString F(const char *name) { return QLatin1String(name); }

// The header of the production on the data set's current row (or the row a
// RowScope reads).
TF656_StockDetail_SengSan::Production productionOf(const DataSet &h)
{
    TF656_StockDetail_SengSan::Production p;
    p.month = h.FieldByName(F("RHMONTH")).AsString();
    p.number = h.FieldByName(F("RHNUMB")).AsInteger();
    p.year = h.FieldByName(F("RHYEAR")).AsString();
    p.date = h.FieldByName(F("RHDATE")).AsString();
    p.line = h.FieldByName(F("RHLINB")).AsString();
    p.lineName = h.FieldByName(F("SengsangLine")).AsString();
    return p;
}

} // namespace

TF656_StockDetail_SengSan::TF656_StockDetail_SengSan(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(std::make_unique<Ui::TF656_StockDetail_SengSan>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("F656_StockDetail_SengSan"));
    setFixedSize(1024, 768);

    cds_F3300_hed = NewRemoteCall(this, "cds_F3300_hed", "dspStoredProc2",
                                  QStringLiteral("[GP_SELECT_F3300_StockDetail_SengSanHed_Search]"));
    cds_F3301_det = NewRemoteCall(this, "cds_F3301_det", "dspStoredProc3",
                                  QStringLiteral("[GP_SELECT_F3301_StockDetail_SengSanDetail_Search]"));
    ShowQuantitiesOnOpen(*cds_F3301_det, {F("chongsengsan"), F("RDLQTY"), F("RDQTY")});

    SetUpPickerGrid(ui->grid_SdssStock1, cds_F3300_hed, {{"bunho", "생산번호", 259}});
    SetUpPickerGrid(ui->grid_SsStock, cds_F3301_det,
                    {{"RDITNB", "품목번호", 70},
                     {"IMNAME", "품명", 198},
                     {"CDNAME", "구분", 59},
                     {"RDUNIT", "단위", 50},
                     {"chongsengsan", "총생산량", 95},
                     {"RDLQTY", "손실량", 91},
                     {"RDQTY", "생산량", 91}});

    connect(ui->btn_Close, &TMirelImgBtn::OnClick, this, [this] { done(ClosedResult); });
    connect(ui->btn_SdssSearch, &TMirelImgBtn::OnClick, this, [this] { btn_SdssSearchClick(); });
    connect(ui->grid_SdssStock1, &TMirelGrid::OnCellClick, this, [this] { grid_SdssStock1CellClick(); });
    connect(ui->btn_SdssEdit, &TMirelImgBtn::OnClick, this, [this] { btn_SdssEditClick(); });
    const std::pair<TMirelImgBtn *, ItemTypeButton> typeButtons[] = {{ui->btn_SdssAll, ItemTypeButton::All},
                                                                     {ui->btn_SdssJefum, ItemTypeButton::Product},
                                                                     {ui->btn_SdssBanjefum, ItemTypeButton::SemiProduct}};
    for (const auto &[button, type] : typeButtons)
        connect(button, &TMirelImgBtn::OnClick, this, [this, type = type] { ItemTypeClick(type); });
    ConnectPageButtons(ui->btn_SdssStock1Up, ui->btn_SdssStock1Down, ui->grid_SdssStock1, RowsPerPage);
    ConnectPageButtons(ui->btn_SdssStock2Up, ui->btn_SdssStock2Down, ui->grid_SsStock, RowsPerPage);
}

TF656_StockDetail_SengSan::~TF656_StockDetail_SengSan() = default;

void TF656_StockDetail_SengSan::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || m_shown)
        return;
    m_shown = true;
    FormShow();
}

void TF656_StockDetail_SengSan::FormShow()
{
    const QDate today = os::Now().date();
    ui->date_SdssSearch1->setDate(today.addDays(-1));
    ui->date_SdssSearch2->setDate(today);
    btn_SdssSearchClick();
}

void TF656_StockDetail_SengSan::OpenProductions(const QDate &from, const QDate &to)
{
    cds_F3300_hed->Close();
    SetTextParam(*cds_F3300_hed, F("COMPCODE"), MyConfig.CompanyCode);
    SetTextParam(*cds_F3300_hed, F("STORECODE"), MyConfig.StoreCode);
    SetTextParam(*cds_F3300_hed, F("date_SdssSearch1"), from.toString(QStringLiteral("yyyyMMdd")));
    SetTextParam(*cds_F3300_hed, F("date_SdssSearch2"), to.toString(QStringLiteral("yyyyMMdd")));
    cds_F3300_hed->Open();
}

void TF656_StockDetail_SengSan::OpenProductionLines(const QString &month, qint64 number)
{
    cds_F3301_det->Close();
    SetTextParam(*cds_F3301_det, F("COMPCODE"), MyConfig.CompanyCode);
    SetTextParam(*cds_F3301_det, F("STORECODE"), MyConfig.StoreCode);
    SetTextParam(*cds_F3301_det, F("MONTH"), month);
    SetParam(*cds_F3301_det, FieldType::Integer, F("NUMB"), number);
    cds_F3301_det->Open();
}

void TF656_StockDetail_SengSan::btn_SdssSearchClick()
{
    OpenProductions(ui->date_SdssSearch1->date(), ui->date_SdssSearch2->date()); // errors reach the error box
    // "All" is shown pressed, and so the lines are shown unfiltered.
    ui->btn_SdssAll->setDown(true);
    cds_F3301_det->setFiltered(false);
}

void TF656_StockDetail_SengSan::grid_SdssStock1CellClick()
{
    if (!cds_F3300_hed->Active() || cds_F3300_hed->IsEmpty())
        return;
    m_touched = productionOf(*cds_F3300_hed);
    OpenProductionLines(m_touched->month, m_touched->number);
}

void TF656_StockDetail_SengSan::ItemTypeClick(ItemTypeButton button)
{
    ItemTypeFilter(*cds_F3301_det, F("CDNAME"), button);
}

TF656_StockDetail_SengSan::Production TF656_StockDetail_SengSan::ChosenProduction() const
{
    if (m_touched)
        return *m_touched;
    if (!cds_F3300_hed->Active() || cds_F3300_hed->IsEmpty())
        return {};
    const DataSet::RowScope first(*cds_F3300_hed, 0);
    return productionOf(*cds_F3300_hed);
}

void TF656_StockDetail_SengSan::btn_SdssEditClick()
{
    if (!TargetBasket || !TargetBasket->Active())
        return;
    const Production chosen = ChosenProduction();
    // Every line of the production, whatever the filter shows: production
    // entry saves the basket back as the whole production.
    const auto read = [&]() -> QList<BasketLine> {
        if (chosen.isNull())
            return {};
        ui->btn_SdssAll->setDown(true);
        cds_F3301_det->setFiltered(false);
        OpenProductionLines(chosen.month, chosen.number);
        QList<BasketLine> lines;
        DataSet &d = *cds_F3301_det;
        for (d.First(); !d.Eof(); d.Next()) {
            const auto value = [&d](const char *name) { return d.FieldByName(F(name)).AsVariant(); };
            lines.append({{F("ADSEQ"), lines.size() + 1},
                          {F("IMITNB"), value("RDITNB")},
                          {F("IMITTY"), value("CDNAME")},
                          {F("IMNAME"), value("IMNAME")},
                          {F("ADUNIT"), value("RDUNIT")},
                          {F("ADMDAN"), value("RDMDAN")},
                          // The stored units per pack unit, which production
                          // entry sends back when it saves the production.
                          {F("ADMCAL"), value("RDMCAL")},
                          {F("ADLDAN"), value("RDLDAN")},
                          {F("ADQTY"), value("RDQTY")},
                          {F("SonsilSu"), value("RDLQTY")},
                          {F("ADUPRC"), 0},
                          {F("ADUPRC000"), 0},
                          {F("ADUPRC2"), 0},
                          {F("ADUPRC001"), 0}});
        }
        return lines;
    };
    if (!HandOverLines(*TargetBasket, read, QStringLiteral("F1003_Produce.btn_SdssEdit Error"), false))
        return;
    m_touched = chosen;
    cds_F3301_det->Close();
    done(CopiedResult);
}
