#include "production/U1302_PRODUCTDAILYREPORT.h"
#include "ui_U1302_PRODUCTDAILYREPORT.h"

#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "platform/remote/ClientDataSet.h"
#include "production/SqlWaitCursor.h"
#include "production/U30_PRODUCTREPORTS.h"
#include "shell/MenuTags.h"

TF1302_PRODUCTDAILYREPORT *F1302_PRODUCTDAILYREPORT = nullptr;

TF1302_PRODUCTDAILYREPORT::TF1302_PRODUCTDAILYREPORT(QWidget *parent)
    : TProductionReportScreen(MenuTag::ProductDailyReport, parent), ui(std::make_unique<Ui::TF1302_PRODUCTDAILYREPORT>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("F1302_PRODUCTDAILYREPORT"));
    setFixedSize(ScreenWidth, ScreenHeight);
    bindMenuButton(ui->btn_AllMenuView);

    cds_procedure1 = NewRemoteCall(this, "cds_procedure1", "dspStoredProc1",
                                   QStringLiteral("[GP_SELECT_F3301_PRODUCTINQUIRY]"));
    ShowFormatsOnOpen(*cds_procedure1, {{{"RDQTY", "RDLQTY"}, QStringLiteral(",0.00;-,0.00")},
                                        {{"RDUPRC", "RDAMT"}, QStringLiteral(",0;-,0")}});
    SetMonthToDate(ui->stdt, ui->eddt);
    setUpReport({ui->mgd_PRODUCTDAILYREPORT, ui->btn_StockItemsUp, ui->btn_StockItemsDown,
                 ui->btn_BjStockDetailsearch, ui->btn_BjStockDetailA4Print, ui->btn_Close, ui->btn_Minimize},
                cds_procedure1,
                {{"RHDATE", "생산일", 112},
                 {"gkid_name", "대분류명", 92},
                 {"mkid_name", "중분류명", 106},
                 {"RDITNB", "품번", 77},
                 {"itnb_name", "품명", 179},
                 {"RDUNIT", "단위", 58},
                 {"RDQTY", "생산수량", 75},
                 {"RDUPRC", "생산원가", 88},
                 {"RDAMT", "생산금액", 96},
                 {"RDLQTY", "손실수량", 75}},
                RowsPerPage, false,
                [](DataSet *rows, const QString &period) {
                    return std::make_unique<TF30_PRODUCTDAILYREPORT>(rows, period);
                },
                NoDataText);
}

TF1302_PRODUCTDAILYREPORT::~TF1302_PRODUCTDAILYREPORT()
{
    if (F1302_PRODUCTDAILYREPORT == this)
        F1302_PRODUCTDAILYREPORT = nullptr;
}

void TF1302_PRODUCTDAILYREPORT::btn_BjStockDetailsearchClick()
{
    const SqlWaitCursor wait;
    ClientDataSet &p = *cds_procedure1;
    p.Close();
    const QDate from = ui->stdt->date(), to = ui->eddt->date();
    const QString format = QStringLiteral("yyyyMMdd");
    SetTextParam(p, QStringLiteral("A_CMCD"), MyConfig.CompanyCode);
    SetTextParam(p, QStringLiteral("A_BUUT"), MyConfig.StoreCode);
    SetTextParam(p, QStringLiteral("A_stdt"), from.toString(format));
    SetTextParam(p, QStringLiteral("A_eddt"), to.toString(format));
    for (const char *empty : {"A_gkid", "A_mkid", "A_jname", "A_st_han"})
        SetTextParam(p, QLatin1String(empty), QString());
    SetTextParam(p, QStringLiteral("A_ed_han"), QStringLiteral("zzzzzzzzzz"));
    SetTextParam(p, QStringLiteral("A_gubun"), QStringLiteral("1"));
    openResult(PeriodText(QStringLiteral("생산일 : "), from, to)); // a server error reaches the error box
}
