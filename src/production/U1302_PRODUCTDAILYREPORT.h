#pragma once
// The production daily report "생산일보": every production line of the
// store between the days of the pickers stdt / eddt (first of the month and
// today when opened), with its costs and amounts as the server works them
// out (cds_procedure1), paged by 28 rows and printed on A4
// (TF30_PRODUCTDAILYREPORT) under the period that was searched. The search
// holds the wait cursor while it runs, whether it succeeds or fails; a
// failure reaches the error box and leaves the grid empty.

#include "production/ProductionReportScreen.h"

namespace Ui {
class TF1302_PRODUCTDAILYREPORT;
}

class TF1302_PRODUCTDAILYREPORT : public TProductionReportScreen {
    Q_OBJECT
public:
    static constexpr int RowsPerPage = 28;
    static inline const QString NoDataText = QStringLiteral("미리보기나 인쇄할 데이타가 존재하지 않습니다.");

    explicit TF1302_PRODUCTDAILYREPORT(QWidget *parent = nullptr);
    ~TF1302_PRODUCTDAILYREPORT() override;

    // The generated form: the controls by their component names.
    Ui::TF1302_PRODUCTDAILYREPORT *form() const { return ui.get(); }

    ClientDataSet *cds_procedure1 = nullptr; // GP_SELECT_F3301_PRODUCTINQUIRY

    void btn_BjStockDetailsearchClick() override;

private:
    std::unique_ptr<Ui::TF1302_PRODUCTDAILYREPORT> ui;
};

extern TF1302_PRODUCTDAILYREPORT *F1302_PRODUCTDAILYREPORT;
