#include "inquiries/U1305_PRODStockInquiry.h"
#include "ui_U1305_PRODStockInquiry.h"

#include "Components/MirelComp/MirelGrid.h"
#include "core/CallParams.h"
#include "inquiries/U30_PRODStockInquiry.h"
#include "platform/remote/ClientDataSet.h"
#include "production/SqlWaitCursor.h"
#include "shell/MenuTags.h"

TF1305_PRODSTOCKINQUIRY *F1305_PRODSTOCKINQUIRY = nullptr;

namespace {

// The grid shows quantities with one decimal and amounts in whole units, as
// the raw-material ledger does.
void showFiguresOnOpen(ClientDataSet &cds)
{
    ShowFormatsOnOpen(cds, {{{"immcal", "current_qty", "seng_qty", "in_qty", "out_qty", "loss_qty", "stock_qty"},
                             QStringLiteral(",0.0;-,0.0")},
                            {{"current_amt", "seng_amt", "in_amt", "out_amt", "loss_amt", "stock_amt"},
                             QStringLiteral(",0;-,0")}});
}

} // namespace

TF1305_PRODSTOCKINQUIRY::TF1305_PRODSTOCKINQUIRY(QWidget *parent)
    : TLedgerScreen(MenuTag::ProductLedger, parent), ui(std::make_unique<Ui::TF1305_PRODSTOCKINQUIRY>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("F1305_PRODSTOCKINQUIRY"));
    bindMenuButton(ui->btn_AllMenuView);

    cds_procedure1 = NewRemoteCall(this, "cds_procedure1", "dspStoredProc1",
                                   QStringLiteral("[GP_SELECT_F3400_PROSTOCKINQUIRY]"));
    showFiguresOnOpen(*cds_procedure1);
    setUpLedger({ui->stdt, ui->eddt, ui->btn_BjStockDetailsearch, ui->MirelImgBtn1, ui->btn_StockItemsUp,
                 ui->btn_StockItemsDown, ui->btn_Close, ui->mgd_prodstockinquiry},
                cds_procedure1,
                {{"imname", "품명", 114},
                 {"immdan", "단위", 42},
                 {"immcal", "수량", 43},
                 {"imldan", "기본단위"},
                 {"unit", "재고단위"},
                 {"current_qty", "전재고수량", 90},
                 {"current_amt", "전재고금액", 100},
                 {"seng_qty", "생산수량", 90},
                 {"seng_amt", "생산금액", 100},
                 {"in_qty", "입고수량", 90},
                 {"in_amt", "입고금액", 100},
                 {"out_qty", "출고수량", 90},
                 {"out_amt", "출고금액", 100},
                 {"loss_qty", "손실수량", 90},
                 {"loss_amt", "손실금액", 100},
                 {"stock_qty", "재고수량", 90},
                 {"stock_amt", "재고금액", 100}});
}

TF1305_PRODSTOCKINQUIRY::~TF1305_PRODSTOCKINQUIRY()
{
    if (F1305_PRODSTOCKINQUIRY == this)
        F1305_PRODSTOCKINQUIRY = nullptr;
}

void TF1305_PRODSTOCKINQUIRY::btn_BjStockDetailsearchClick()
{
    const SqlWaitCursor wait;
    cds_procedure1->Close();
    setLedgerParams(*cds_procedure1, {QStringLiteral("a_cmcd"), QStringLiteral("a_buut"), QStringLiteral("a_gkid"),
                                      QStringLiteral("a_mkid"), QStringLiteral("a_name"), QStringLiteral("a_stdt"),
                                      QStringLiteral("a_eddt"), QStringLiteral("a_st_han"), QStringLiteral("a_ed_han")});
    cds_procedure1->Open(); // a server error reaches the error box
}

void TF1305_PRODSTOCKINQUIRY::MirelImgBtn1Click()
{
    PreviewReport(
        cds_procedure1, [this] { return std::make_unique<TF30_PRODStockInquiry>(cds_procedure1, From(), To()); },
        NoDataText);
}

void TF1305_PRODSTOCKINQUIRY::btn_CloseClick()
{
    done(ClosedResult);
}
