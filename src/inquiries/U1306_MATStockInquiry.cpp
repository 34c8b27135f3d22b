#include "inquiries/U1306_MATStockInquiry.h"
#include "ui_U1306_MATStockInquiry.h"

#include "Components/MirelComp/MirelGrid.h"
#include "core/CallParams.h"
#include "inquiries/MaterialLedger.h"
#include "inquiries/RefreshRows.h"
#include "inquiries/U30_MATStockInquiry.h"
#include "platform/remote/ClientDataSet.h"
#include "production/SqlWaitCursor.h"
#include "shell/MenuTags.h"

TF1306_MATSTOCKINQUIRY *F1306_MATSTOCKINQUIRY = nullptr;

namespace {

QStringList ledgerParams(bool upper)
{
    QStringList names;
    for (const char *n : {"a_gubun", "a_cmcd", "a_buut", "a_itty", "a_gkid", "a_mkid", "a_name", "a_stdt", "a_eddt",
                          "a_st_han", "a_ed_han"})
        names << (upper ? QString::fromLatin1(n).toUpper() : QString::fromLatin1(n));
    return names;
}

} // namespace

TF1306_MATSTOCKINQUIRY::TF1306_MATSTOCKINQUIRY(QWidget *parent)
    : TLedgerScreen(MenuTag::MaterialLedger, parent), ui(std::make_unique<Ui::TF1306_MATSTOCKINQUIRY>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("F1306_MATSTOCKINQUIRY"));
    bindMenuButton(ui->btn_AllMenuView);

    Cds_Procedure1 = NewRemoteCall(this, "Cds_Procedure1", "dspStoredProc1",
                                   QStringLiteral("[GP_SELECT_F3400_MATSTOCKINQUIRY]"));
    CDS_PROCEDURE2 = NewRemoteCall(this, "CDS_PROCEDURE2", "dspStoredProc2",
                                   QStringLiteral("[GP_SELECT_F3400_ComponentUse]"));
    CDS_PROCEDURE3 = NewRemoteCall(this, "CDS_PROCEDURE3", "dspStoredProc2",
                                   QStringLiteral("[GP_SELECT_F0240_COMPONENTRATE1]"));
    // The material call declares its parameters upper-case.
    for (const QString &name : ledgerParams(true))
        SetTextParam(*Cds_Procedure1, name, QString());
    VIR_TABLE = NewMaterialLedgerTable(this).release();

    setUpLedger({ui->stdt, ui->eddt, ui->btn_BjStockDetailsearch, ui->MirelImgBtn1, ui->btn_StockItemsUp,
                 ui->btn_StockItemsDown, ui->btn_Close, ui->mgd_matstockinquiry},
                VIR_TABLE,
                {{"imname", "원료명", 119},
                 {"immdan", "단위", 42},
                 {"immcal", "수량", 43},
                 {"imldan", "기본단위"},
                 {"unit", "재고단위"},
                 {"current_qty", "전재고수량", 90},
                 {"current_amt", "전재고금액", 100},
                 {"in_qty", "입고수량", 90},
                 {"in_amt", "입고금액", 100},
                 {"out_qty", "사용수량", 110},
                 {"out_amt", "사용금액", 135},
                 {"loss_qty", "손실수량", 90},
                 {"loss_amt", "손실금액", 100},
                 {"stock_qty", "재고수량", 90},
                 {"stock_amt", "재고금액", 100}});
}

TF1306_MATSTOCKINQUIRY::~TF1306_MATSTOCKINQUIRY()
{
    if (F1306_MATSTOCKINQUIRY == this)
        F1306_MATSTOCKINQUIRY = nullptr;
}

void TF1306_MATSTOCKINQUIRY::btn_BjStockDetailsearchClick()
{
    const SqlWaitCursor wait;
    Cds_Procedure1->Close();
    setLedgerParams(*Cds_Procedure1, ledgerParams(false));
    Cds_Procedure1->Open();
    CDS_PROCEDURE2->Close();
    setLedgerParams(*CDS_PROCEDURE2, ledgerParams(false));
    CDS_PROCEDURE2->Open();
    const std::unique_ptr<DataSet> ledger = RebookMaterialLedger(
        *Cds_Procedure1, *CDS_PROCEDURE2,
        [this](const QString &company, const QString &store, const QString &set) -> const DataSet & {
            CDS_PROCEDURE3->Close();
            SetTextParam(*CDS_PROCEDURE3, QStringLiteral("A_CMCD"), company);
            SetTextParam(*CDS_PROCEDURE3, QStringLiteral("A_BUUT"), store);
            SetTextParam(*CDS_PROCEDURE3, QStringLiteral("A_ITNB"), set);
            CDS_PROCEDURE3->Open();
            return *CDS_PROCEDURE3;
        });
    // Every call answered: the new ledger replaces the one shown.
    CopyRowsInto(*ledger, *VIR_TABLE);
}

void TF1306_MATSTOCKINQUIRY::MirelImgBtn1Click()
{
    PreviewReport(
        VIR_TABLE, [this] { return std::make_unique<TF30_MATSTOCKINQUIRY>(VIR_TABLE, From(), To()); }, NoDataText);
}

void TF1306_MATSTOCKINQUIRY::btn_CloseClick()
{
    done(ClosedResult);
}
