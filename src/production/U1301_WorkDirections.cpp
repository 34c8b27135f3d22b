#include "production/U1301_WorkDirections.h"
#include "ui_U1301_WorkDirections.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "core/MyConfig.h"
#include "documents/BasketLines.h"
#include "documents/DocumentCalls.h"
#include "documents/DocumentLines.h"
#include "documents/PickerGrid.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"
#include "core/CallParams.h"

#include <QShowEvent>

namespace {

QString F(const char *name) { return QLatin1String(name); }

// The server's empty date: a production or delivery day not set yet.
const QDate kEmptyDate(1900, 1, 1);

TF1301_WorkDirections::JobOrder jobOrderOf(const DataSet &h)
{
    TF1301_WorkDirections::JobOrder j;
    j.month = h.FieldByName(F("JHMONTH")).AsString();
    j.number = h.FieldByName(F("JHNUMB")).AsInteger();
    j.year = h.FieldByName(F("JHYEAR")).AsString();
    j.date = h.FieldByName(F("JHDATE")).AsDateTime().date();
    j.deliveryDate = h.FieldByName(F("JHNYDT")).AsDateTime().date();
    return j;
}

// Shows a day field blank while it holds the empty date (the field's own
// value is left as it is for the callers).
void BlankEmptyDay(Field &field)
{
    field.OnGetText = [](const Field &f, bool displayText) {
        if (displayText && f.AsDateTime().date() == kEmptyDate)
            return QString();
        return f.AsString();
    };
}

} // namespace

TF1301_WorkDirections::TF1301_WorkDirections(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(std::make_unique<Ui::TF1301_WorkDirections>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("F1301_WorkDirections"));
    setFixedSize(1024, 768);

    cds_F3310_hed = NewRemoteCall(this, "cds_F3310_hed", "dspStoredProc3", QStringLiteral("[GP_SELECT_F3310_WORKENTRY]"));
    cds_F3311_det = NewRemoteCall(this, "cds_F3311_det", "dspStoredProc5", QStringLiteral("[GP_SELECT_F3311_WORKENTRY]"));
    cds_F3310_hed->AfterOpen = [](DataSet &ds) {
        for (const char *name : {"JHSEDATE", "JHNYDT"})
            if (Field *f = ds.FindField(F(name)))
                BlankEmptyDay(*f);
    };
    ShowQuantitiesOnOpen(*cds_F3311_det, {F("JDMCAL"), F("JDQTY")});

    SetUpPickerGrid(ui->grid_WorkDirectionhed, cds_F3310_hed,
                    {{"JHDATE", "지 시 일", 205},
                     {"JHSEDATE", "생 산 일", 205},
                     {"JHNYDT", "납품 예정일", 199},
                     {"phADNB_name", "생산 담당자", 179},
                     {"bunho", "작업 지시번호", 175}});
    SetUpPickerGrid(ui->grid_WorkDirectiondet, cds_F3311_det,
                    {{"JDITNB", "품 번", 95},
                     {"imname", "제 품 명", 293},
                     {"JDMDAN", "단위", 100},
                     {"JDMCAL", "수량", 130},
                     {"JDLDAN", "기본단위", 100},
                     {"JDUNIT", "생산투입단위", 113},
                     {"JDQTY", "생산지시량", 130}});

    connect(ui->btn_Close, &TMirelImgBtn::OnClick, this, [this] { done(ClosedResult); });
    connect(ui->btn_chulgoStockHedsearch, &TMirelImgBtn::OnClick, this, [this] { SearchWorkDirections(); });
    connect(ui->grid_WorkDirectionhed, &TMirelGrid::OnCellClick, this, [this] { grid_WorkDirectionhedCellClick(); });
    connect(ui->MirelImgBtn3, &TMirelImgBtn::OnClick, this, [this] { MirelImgBtn3Click(); });
    ConnectPageButtons(ui->btn_RegDeliverylistUp, ui->btn_RegDeliverylistDown, ui->grid_WorkDirectionhed,
                       RowsPerPage);
    ConnectPageButtons(ui->btn_RegStoragelistUp, ui->btn_RegStoragelistDown, ui->grid_WorkDirectiondet,
                       RowsPerPage);
}

TF1301_WorkDirections::~TF1301_WorkDirections() = default;

void TF1301_WorkDirections::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || m_shown)
        return;
    m_shown = true;
    FormShow();
}

void TF1301_WorkDirections::FormShow()
{
    const QDate today = os::Now().date();
    ui->date_WdSearch1->setDate(QDate(today.year(), today.month(), 1));
    ui->date_WdSearch2->setDate(today);
}

void TF1301_WorkDirections::SearchWorkDirections()
{
    cds_F3310_hed->Close();
    SetTextParam(*cds_F3310_hed, F("A_CMCD"), MyConfig.CompanyCode);
    SetTextParam(*cds_F3310_hed, F("A_BUUT"), MyConfig.StoreCode);
    SetTextParam(*cds_F3310_hed, F("A_STDT"), ui->date_WdSearch1->date().toString(QStringLiteral("yyyyMMdd")));
    SetTextParam(*cds_F3310_hed, F("A_EDDT"), ui->date_WdSearch2->date().toString(QStringLiteral("yyyyMMdd")));
    cds_F3310_hed->Open(); // errors reach the error box
}

void TF1301_WorkDirections::OpenJobOrderLines(const QString &month, qint64 number)
{
    cds_F3311_det->Close();
    SetTextParam(*cds_F3311_det, F("A_CMCD"), MyConfig.CompanyCode);
    SetTextParam(*cds_F3311_det, F("A_BUUT"), MyConfig.StoreCode);
    SetTextParam(*cds_F3311_det, F("A_MONTH"), month);
    SetParam(*cds_F3311_det, FieldType::Integer, F("A_NUMB"), number);
    cds_F3311_det->Open();
}

void TF1301_WorkDirections::grid_WorkDirectionhedCellClick()
{
    if (!cds_F3310_hed->Active() || cds_F3310_hed->IsEmpty())
        return;
    m_touched = jobOrderOf(*cds_F3310_hed);
    OpenJobOrderLines(m_touched->month, m_touched->number);
}

TF1301_WorkDirections::JobOrder TF1301_WorkDirections::ChosenJobOrder() const
{
    if (m_touched)
        return *m_touched;
    if (!cds_F3310_hed->Active() || cds_F3310_hed->IsEmpty())
        return {};
    const DataSet::RowScope first(*cds_F3310_hed, 0);
    return jobOrderOf(*cds_F3310_hed);
}

void TF1301_WorkDirections::MirelImgBtn3Click()
{
    const bool jobOrderEntry = ListMode == QLatin1String("1");
    if (!jobOrderEntry && ListMode != QLatin1String("2"))
        return;
    if (!TargetBasket || !TargetBasket->Active())
        return;
    const JobOrder chosen = ChosenJobOrder();
    const auto read = [&]() -> QList<BasketLine> {
        if (chosen.isNull())
            return {};
        OpenJobOrderLines(chosen.month, chosen.number);
        QList<BasketLine> lines;
        DataSet &d = *cds_F3311_det;
        for (d.First(); !d.Eof(); d.Next()) {
            const auto value = [&d](const char *name) { return d.FieldByName(F(name)).AsVariant(); };
            lines.append({{F("ADSEQ"), value("JDSEQ")},
                          {F("IMITNB"), value("JDITNB")},
                          {F("IMNAME"), value("imname")},
                          {F("IMITTY"), ItemTypeWord(d.FieldByName(F("IMITTY")).AsString())},
                          {F("ADUNIT"), value("JDUNIT")},
                          {F("ADMDAN"), value("JDMDAN")},
                          {F("ADLDAN"), value("JDLDAN")},
                          {F("ADQTY"), value("JDQTY")},
                          {F("ADMCAL"), value("JDMCAL")},
                          {F("ADUPRC2"), 0},
                          {F("ADUPRC001"), 0}});
        }
        return lines;
    };
    const QString log = jobOrderEntry ? QStringLiteral("F1301_JobOrder.cds_F3311_det Error:")
                                      : QStringLiteral("F1301_WorkDirections.cds_F3311_det Error:");
    if (!HandOverLines(*TargetBasket, read, log, true))
        return;
    m_touched = chosen;
    cds_F3311_det->Close();
    done(CopiedResult);
}
