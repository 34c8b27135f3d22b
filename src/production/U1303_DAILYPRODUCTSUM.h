#pragma once
// The daily production totals "일별 생산집계": per day and item, what one
// production line made at the store between the days of the pickers stdt /
// eddt (first of the month and today when opened), with its production and
// retail amounts (Cds_Procedure1), paged by 28 rows and printed on A4
// (TF30_DAILYPRODUCTSUM) under the period that was searched. The line is
// chosen in combo_SengsangLine; the code sent is "001" until the user
// chooses one (ProductionLineChoice). A failed search reaches the error box
// and leaves the grid empty.

#include "production/ProductionReportScreen.h"

namespace Ui {
class TF1303_DAILYPRODUCTSUM;
}

class TF1303_DAILYPRODUCTSUM : public TProductionReportScreen {
    Q_OBJECT
public:
    static constexpr int RowsPerPage = 28;
    static inline const QString NoDataText = QStringLiteral("미리보기나 인쇄할 데이타가 존재하지 않읍니다.");

    explicit TF1303_DAILYPRODUCTSUM(QWidget *parent = nullptr);
    ~TF1303_DAILYPRODUCTSUM() override;

    // The generated form: the controls by their component names.
    Ui::TF1303_DAILYPRODUCTSUM *form() const { return ui.get(); }

    ClientDataSet *Cds_Procedure1 = nullptr; // GP_SELECT_F3301_DAILYPRODUCTSUM

    void btn_BjStockDetailsearchClick() override;

private:
    std::unique_ptr<Ui::TF1303_DAILYPRODUCTSUM> ui;
};

extern TF1303_DAILYPRODUCTSUM *F1303_DAILYPRODUCTSUM;
