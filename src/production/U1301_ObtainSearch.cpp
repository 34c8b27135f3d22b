#include "production/U1301_ObtainSearch.h"
#include "ui_U1301_ObtainSearch.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "core/MyConfig.h"
#include "documents/BasketLines.h"
#include "documents/DocumentCalls.h"
#include "documents/PickerGrid.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"
#include "core/CallParams.h"

#include <QShowEvent>

namespace {

QString F(const char *name) { return QLatin1String(name); }

} // namespace

TF1301_ObtainSearch::TF1301_ObtainSearch(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(std::make_unique<Ui::TF1301_ObtainSearch>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("F1301_ObtainSearch"));
    setFixedSize(1024, 768);

    cds_F2401_s = NewRemoteCall(this, "cds_F2401_s", "dspStoredProc3", QStringLiteral("[GP_SELECT_F2401_WORKENTRY]"));
    ShowQuantitiesOnOpen(*cds_F2401_s, {F("ODMCAL"), F("ODQTY"), F("IMJJGO"), F("current_qty"), F("forcast_qty"),
                                        F("product_qty")});
    SetUpPickerGrid(ui->grid_ChStock1, cds_F2401_s,
                    {{"ODITNB", "품목번호", 70},
                     {"IMNAME", "품 명", 165},
                     {"ODMDAN", "단위", 45, true},
                     {"ODMCAL", "수량", 57},
                     {"ODLDAN", "기본단위", 70, true},
                     {"ODUNIT", "수주단위", 70, true},
                     {"ODQTY", "수주량", 57},
                     {"ohnydt", "납품예정일", 90},
                     {"IMJJGO", "적정재고", 83},
                     {"current_qty", "현재고량", 83},
                     {"forcast_qty", "생산예정량", 83},
                     {"product_qty", "생산지시량", 83}},
                    25);

    connect(ui->btn_Close, &TMirelImgBtn::OnClick, this, [this] { done(ClosedResult); });
    connect(ui->btn_SujuCahgiSearch, &TMirelImgBtn::OnClick, this, [this] { SearchObtains(); });
    connect(ui->btn_SujuCahgiOk, &TMirelImgBtn::OnClick, this, [this] { btn_SujuCahgiOkClick(); });
    ConnectPageButtons(ui->btn_ChStock1Up, ui->btn_ChStock1Down, ui->grid_ChStock1, RowsPerPage);
}

TF1301_ObtainSearch::~TF1301_ObtainSearch() = default;

void TF1301_ObtainSearch::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || m_shown)
        return;
    m_shown = true;
    ui->date_ObSearch->setDate(os::Now().date());
}

QDate TF1301_ObtainSearch::SearchDate() const { return ui->date_ObSearch->date(); }

void TF1301_ObtainSearch::SearchObtains()
{
    cds_F2401_s->Close();
    SetTextParam(*cds_F2401_s, F("@a_cmcd"), MyConfig.CompanyCode);
    SetTextParam(*cds_F2401_s, F("@a_buut"), MyConfig.StoreCode);
    SetTextParam(*cds_F2401_s, F("@a_DATE"), SearchDate().toString(QStringLiteral("yyyyMMdd")));
    cds_F2401_s->Open(); // errors reach the error box from the button
}

void TF1301_ObtainSearch::btn_SujuCahgiOkClick()
{
    if (!TargetBasket || !TargetBasket->Active())
        return;
    const auto read = [this]() -> QList<BasketLine> {
        SearchObtains();
        QList<BasketLine> lines;
        DataSet &d = *cds_F2401_s;
        for (d.First(); !d.Eof(); d.Next()) {
            const auto value = [&d](const char *name) { return d.FieldByName(F(name)).AsVariant(); };
            // The line's unit is the item's base unit, in which the
            // forecast is counted; ADLDAN keeps the order's unit.
            lines.append({{F("ADSEQ"), lines.size() + 1},
                          {F("IMITNB"), value("ODITNB")},
                          {F("IMNAME"), value("IMNAME")},
                          {F("ADLDAN"), value("ODUNIT")},
                          {F("ADUNIT"), value("ODLDAN")},
                          {F("ADMDAN"), value("ODMDAN")},
                          {F("ADMCAL"), value("ODMCAL")},
                          {F("ADSQTY"), value("ODQTY")},
                          {F("ADUPRC2"), 0},
                          {F("ADUPRC001"), 0},
                          {F("ohnydt"), value("ohnydt")},
                          {F("IMJJGO"), value("IMJJGO")},
                          {F("current_qty"), value("current_qty")},
                          {F("product_qty"), value("product_qty")},
                          {F("ADQTY"), value("forcast_qty")}});
        }
        return lines;
    };
    if (!HandOverLines(*TargetBasket, read, QStringLiteral("F1301_JobOrder.vtb_STOCK.btn_SujuCahgiOk Error:"), true))
        return;
    cds_F2401_s->Close();
    done(CopiedResult);
}
