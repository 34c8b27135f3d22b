#pragma once
// The production totals by item and month "품목별 생산집계": per item, what
// one production line made at the store in the year of cmb_year, for the
// year and for each of its months, in quantities and production amounts
// (cds_procedure1), paged by 24 rows and printed on A4 (TF30_ITEMPRODUCTSUM)
// under the year that was searched. The year list runs from 2008 to the
// current year of the application clock, which it opens on. The line is
// chosen as on the daily totals. The search holds the wait cursor while it
// runs, whether it succeeds or fails; a failure reaches the error box and
// leaves the grid empty.

#include "production/ProductionReportScreen.h"

namespace Ui {
class TF1304_ITEMPRODUCTSUM;
}

class TF1304_ITEMPRODUCTSUM : public TProductionReportScreen {
    Q_OBJECT
public:
    static constexpr int RowsPerPage = 24;
    static inline const QString NoDataText = QStringLiteral("미리보기나 인쇄할 데이타가 존재하지 않읍니다.");

    explicit TF1304_ITEMPRODUCTSUM(QWidget *parent = nullptr);
    ~TF1304_ITEMPRODUCTSUM() override;

    // The generated form: the controls by their component names.
    Ui::TF1304_ITEMPRODUCTSUM *form() const { return ui.get(); }

    ClientDataSet *cds_procedure1 = nullptr; // GP_SELECT_F3200_ITEMPRODUCTSUM

    void btn_BjStockDetailsearchClick() override;

private:
    std::unique_ptr<Ui::TF1304_ITEMPRODUCTSUM> ui;
};

extern TF1304_ITEMPRODUCTSUM *F1304_ITEMPRODUCTSUM;
