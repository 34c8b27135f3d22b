#pragma once
// The recipe view "Recipe View": a search lists products and semi-products by
// name, with "R" where a recipe exists; touching one shows its recipe header
// figures and its recipe lines; the print button prints the recipe sheet
// TF30_RECIPYVIEW on A4. The screen only reads.
//
// The product shown is the one touched last. Its header is kept when it is
// touched, so paging the product list or a new search changes neither the
// figures shown nor the sheet's title: the sheet always names the product
// whose lines it prints. The search holds the wait cursor only while it
// runs, whether it succeeds or fails; a failure still reaches the caller
// (the error box).
//
// Closing (the close button, modal result 7, or the scroll menu) closes the
// on-screen keyboard too.

#include "production/U30_RECIPYVIEW.h"
#include "shell/WorkScreen.h"

#include <memory>

class ClientDataSet;

namespace Ui {
class TF1307_RECIPYVIEW;
}

class TF1307_RECIPYVIEW : public TWorkScreen {
    Q_OBJECT
public:
    static constexpr int ProductPage = 14; // rows moved by the product list's page buttons
    static constexpr int LinePage = 13;    // rows moved by the recipe lines' page buttons
    static constexpr int ClosedResult = 7;
    static inline const QString NoDataText = QStringLiteral("미리보기나 인쇄할 데이타가 존재하지 않습니다.");

    explicit TF1307_RECIPYVIEW(QWidget *parent = nullptr);
    ~TF1307_RECIPYVIEW() override;

    // The generated form: the controls by their component names.
    Ui::TF1307_RECIPYVIEW *form() const { return ui.get(); }

    ClientDataSet *cds_procedure1 = nullptr; // products: GP_SELECT_F0200_RECIPYENTRY
    ClientDataSet *cds_procedure2 = nullptr; // recipe lines: GP_SELECT_F0231_RECIPYREPORT

    // The product shown (the one touched last); empty before any touch.
    const RecipeHeader &ShownProduct() const { return m_shown; }

    // The handlers.
    void btn_SdStockHedsearchClick();
    void grid_productCellClick();
    void MirelImgBtn1Click();
    void btn_CloseClick();

    void CloseOperation() override { btn_CloseClick(); }

public slots:
    void done(int result) override;

private:
    void showFigures();

    std::unique_ptr<Ui::TF1307_RECIPYVIEW> ui;
    RecipeHeader m_shown;
};

extern TF1307_RECIPYVIEW *F1307_RECIPYVIEW;
