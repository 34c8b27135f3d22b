#pragma once
// The product ledger "제품 수불부": per product, good and semi-product of
// the store, for the period of the pickers, the opening stock, production,
// receipts, releases, loss and closing stock with their amounts, as the
// server answers them (cds_procedure1). The print button prints them
// (TF30_PRODStockInquiry). A failed search shows the server's error (the
// error box) and leaves the grid empty.
//
// Closing (the close button or the scroll menu) ends the screen with 2.

#include "inquiries/LedgerScreen.h"

#include <memory>

namespace Ui {
class TF1305_PRODSTOCKINQUIRY;
}

class TF1305_PRODSTOCKINQUIRY : public TLedgerScreen {
    Q_OBJECT
public:
    static constexpr int ClosedResult = 2;

    explicit TF1305_PRODSTOCKINQUIRY(QWidget *parent = nullptr);
    ~TF1305_PRODSTOCKINQUIRY() override;

    // The generated form: the controls by their component names.
    Ui::TF1305_PRODSTOCKINQUIRY *form() const { return ui.get(); }

    ClientDataSet *cds_procedure1 = nullptr; // GP_SELECT_F3400_PROSTOCKINQUIRY

    void btn_BjStockDetailsearchClick() override;
    void MirelImgBtn1Click() override;
    void btn_CloseClick() override;

private:
    std::unique_ptr<Ui::TF1305_PRODSTOCKINQUIRY> ui;
};

extern TF1305_PRODSTOCKINQUIRY *F1305_PRODSTOCKINQUIRY;
