#pragma once
// The raw-material ledger "원료 수불부": per raw and secondary material of the
// store, for the period of the pickers, the opening stock, receipts, use,
// loss and closing stock with their amounts, with the use of set items moved
// from their components to the set (MaterialLedger.h). The grid shows the
// work table VIR_TABLE; the print button prints it as shown
// (TF30_MATSTOCKINQUIRY).
//
// A search reads the material rows (Cds_Procedure1), the component use
// (CDS_PROCEDURE2) and the component list of each set that was used
// (CDS_PROCEDURE3), builds the new ledger aside and only then puts it into
// the work table: when a call fails, its error shows (the error box) and the
// work table keeps the previous ledger whole.
//
// Closing (the close button or the scroll menu) ends the screen with 7.

#include "inquiries/LedgerScreen.h"

#include <memory>

namespace Ui {
class TF1306_MATSTOCKINQUIRY;
}

class TF1306_MATSTOCKINQUIRY : public TLedgerScreen {
    Q_OBJECT
public:
    static constexpr int ClosedResult = 7;

    explicit TF1306_MATSTOCKINQUIRY(QWidget *parent = nullptr);
    ~TF1306_MATSTOCKINQUIRY() override;

    // The generated form: the controls by their component names.
    Ui::TF1306_MATSTOCKINQUIRY *form() const { return ui.get(); }

    ClientDataSet *Cds_Procedure1 = nullptr; // GP_SELECT_F3400_MATSTOCKINQUIRY
    ClientDataSet *CDS_PROCEDURE2 = nullptr; // GP_SELECT_F3400_ComponentUse
    ClientDataSet *CDS_PROCEDURE3 = nullptr; // GP_SELECT_F0240_COMPONENTRATE1
    DataSet *VIR_TABLE = nullptr;            // the ledger shown (open from creation on)

    void btn_BjStockDetailsearchClick() override;
    void MirelImgBtn1Click() override;
    void btn_CloseClick() override;

private:
    std::unique_ptr<Ui::TF1306_MATSTOCKINQUIRY> ui;
};

extern TF1306_MATSTOCKINQUIRY *F1306_MATSTOCKINQUIRY;
