#include "production/U1304_ITEMPRODUCTSUM.h"
#include "ui_U1304_ITEMPRODUCTSUM.h"

#include "core/CallParams.h"
#include "core/MyConfig.h"
#include "platform/remote/ClientDataSet.h"
#include "production/SqlWaitCursor.h"
#include "production/U30_PRODUCTREPORTS.h"
#include "shell/MenuTags.h"

TF1304_ITEMPRODUCTSUM *F1304_ITEMPRODUCTSUM = nullptr;

TF1304_ITEMPRODUCTSUM::TF1304_ITEMPRODUCTSUM(QWidget *parent)
    : TProductionReportScreen(MenuTag::ItemProductSum, parent), ui(std::make_unique<Ui::TF1304_ITEMPRODUCTSUM>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("F1304_ITEMPRODUCTSUM"));
    setFixedSize(ScreenWidth, ScreenHeight);
    bindMenuButton(ui->btn_AllMenuView);

    cds_procedure1 = NewRemoteCall(this, "cds_procedure1", "dspStoredProc1",
                                   QStringLiteral("[GP_SELECT_F3200_ITEMPRODUCTSUM]"));
    cds_procedure1->AfterOpen = [](DataSet &d) {
        for (int i = 0; i < d.FieldCount(); ++i) {
            Field &f = d.Fields(i);
            const QString name = f.FieldName().toLower();
            if (name.contains(QLatin1String("gamt")))
                f.setDisplayFormat(QStringLiteral(",0.##;-,0.##"));
            else if (name.contains(QLatin1String("samt")))
                f.setDisplayFormat(QStringLiteral(",0;-,0"));
        }
    };
    FillYears(ui->cmb_year);
    setUpLineChoice(ui->combo_SengsangLine, ui->ComboBox3, ui->Edit10);
    setUpReport({ui->mgd_itemPRODUCTSUM, ui->btn_StockItemsUp, ui->btn_StockItemsDown, ui->btn_BjStockDetailsearch,
                 ui->MirelImgBtn1, ui->btn_Close, ui->btn_Minimize},
                cds_procedure1,
                {{"buut_name", "사업단위명", 111},  {"gkid_name", "대분류명", 111},   {"itnb_name", "품명", 137},
                 {"tot_gamt", "총생산금액", 100},   {"tot_samt", "총소매금액", 100},  {"gamt01", "1월생산수량", 100},
                 {"samt01", "1월생산금액", 100},    {"gamt02", "2월생산수량", 100},   {"samt02", "2월생산금액", 100},
                 {"gamt03", "3월생산수량", 100},    {"samt03", "3월생산금액", 100},   {"gamt04", "4월생산수량", 100},
                 {"samt04", "4월생산금액", 100},    {"gamt05", "5월생산수량", 100},   {"samt05", "5월생산금액", 100},
                 {"gamt06", "6월생산수량", 100},    {"samt06", "6월생산금액", 100},   {"gamt07", "7월생산수량", 100},
                 {"samt07", "7월생산금액", 100},    {"gamt08", "8월생산수량", 100},   {"samt08", "8월생산금액", 100},
                 {"gamt09", "9월생산수량", 100},    {"samt09", "9월생산금액", 100},   {"gamt10", "10월생산수량", 100},
                 {"samt10", "10월생산금액", 100},   {"gamt11", "11월생산수량", 100},  {"samt11", "11월생산금액", 100},
                 {"gamt12", "12월생산수량", 100},   {"samt12", "12월생산금액", 100}},
                RowsPerPage, true,
                [](DataSet *rows, const QString &period) {
                    return std::make_unique<TF30_ITEMPRODUCTSUM>(rows, period);
                },
                NoDataText);
}

TF1304_ITEMPRODUCTSUM::~TF1304_ITEMPRODUCTSUM()
{
    if (F1304_ITEMPRODUCTSUM == this)
        F1304_ITEMPRODUCTSUM = nullptr;
}

void TF1304_ITEMPRODUCTSUM::btn_BjStockDetailsearchClick()
{
    const SqlWaitCursor wait;
    ClientDataSet &p = *cds_procedure1;
    p.Close();
    const QString year = ui->cmb_year->currentText();
    SetTextParam(p, QStringLiteral("a_cmcd"), MyConfig.CompanyCode);
    SetTextParam(p, QStringLiteral("a_buut"), MyConfig.StoreCode);
    SetTextParam(p, QStringLiteral("a_year"), year);
    SetTextParam(p, QStringLiteral("a_linb"), ui->Edit10->text());
    openResult(QStringLiteral("년도 : ") + year); // a server error reaches the error box
}
