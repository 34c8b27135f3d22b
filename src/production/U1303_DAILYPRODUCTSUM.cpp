#include "production/U1303_DAILYPRODUCTSUM.h"
#include "ui_U1303_DAILYPRODUCTSUM.h"

#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "platform/remote/ClientDataSet.h"
#include "production/U30_PRODUCTREPORTS.h"
#include "shell/MenuTags.h"

TF1303_DAILYPRODUCTSUM *F1303_DAILYPRODUCTSUM = nullptr;

TF1303_DAILYPRODUCTSUM::TF1303_DAILYPRODUCTSUM(QWidget *parent)
    : TProductionReportScreen(MenuTag::DailyProductSum, parent), ui(std::make_unique<Ui::TF1303_DAILYPRODUCTSUM>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("F1303_DAILYPRODUCTSUM"));
    setFixedSize(ScreenWidth, ScreenHeight);
    bindMenuButton(ui->btn_AllMenuView);

    Cds_Procedure1 = NewRemoteCall(this, "Cds_Procedure1", "dspStoredProc3",
                                   QStringLiteral("[GP_SELECT_F3301_DAILYPRODUCTSUM]"));
    ShowFormatsOnOpen(*Cds_Procedure1, {{{"qty"}, QStringLiteral(",0.00;-,0.00")},
                                        {{"amt", "samt"}, QStringLiteral(",0;-,0")}});
    SetMonthToDate(ui->stdt, ui->eddt);
    setUpLineChoice(ui->combo_SengsangLine, ui->ComboBox3, ui->Edit10);
    setUpReport({ui->mgd_DAILYPRODUCTSUM, ui->btn_StockItemsUp, ui->btn_StockItemsDown, ui->btn_BjStockDetailsearch,
                 ui->btn_BjStockDetailA4Print, ui->btn_Close, ui->btn_Minimize},
                Cds_Procedure1,
                {{"buut_name", "사업단위", 157},
                 {"nalja", "날짜", 125},
                 {"yoil", "요일", 53},
                 {"itnb_name", "품명", 259},
                 {"qty", "수량", 87},
                 {"amt", "생산금액", 130},
                 {"samt", "소매금액", 150}},
                RowsPerPage, false,
                [](DataSet *rows, const QString &period) {
                    return std::make_unique<TF30_DAILYPRODUCTSUM>(rows, period);
                },
                NoDataText);
}

TF1303_DAILYPRODUCTSUM::~TF1303_DAILYPRODUCTSUM()
{
    if (F1303_DAILYPRODUCTSUM == this)
        F1303_DAILYPRODUCTSUM = nullptr;
}

// No wait cursor on this screen's search.
void TF1303_DAILYPRODUCTSUM::btn_BjStockDetailsearchClick()
{
    ClientDataSet &p = *Cds_Procedure1;
    p.Close();
    const QDate from = ui->stdt->date(), to = ui->eddt->date();
    const QString format = QStringLiteral("yyyyMMdd");
    SetTextParam(p, QStringLiteral("a_cmcd"), MyConfig.CompanyCode);
    SetTextParam(p, QStringLiteral("a_buut"), MyConfig.StoreCode);
    SetTextParam(p, QStringLiteral("a_stdt"), from.toString(format));
    SetTextParam(p, QStringLiteral("a_eddt"), to.toString(format));
    SetTextParam(p, QStringLiteral("a_itnb"), QString());
    SetTextParam(p, QStringLiteral("a_st_han"), QString());
    SetTextParam(p, QStringLiteral("a_ed_han"), QStringLiteral("zzzzzzzzzz"));
    SetTextParam(p, QStringLiteral("a_linb"), ui->Edit10->text());
    openResult(PeriodText(QStringLiteral("기간 : "), from, to)); // a server error reaches the error box
}
