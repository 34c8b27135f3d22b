#pragma once
// The received-order search: what to produce for the received orders due on
// one day, one row per item with its stock and forecast figures, and the
// copy of every row into job-order entry's basket.
//
// Calling contract: the caller creates the search, sets TargetBasket (its
// own open vtb_STOCK), runs exec() and frees it. 1 (OK) means the basket now
// holds one line per row of the day SearchDate() gives, numbered 1..n, with
// the forecast as its quantity in the item's base unit; 2 (the close
// button) leaves the basket untouched. Nothing is searched until the search
// button is pressed; the day starts as today.
//
// OK searches again for the day now chosen, so the rows copied are those of
// that day even when the search button was not pressed after changing it;
// the basket is replaced only once the rows are read: a failed search leaves
// it as it was, shows the error and keeps the search open, and a day with
// nothing to produce changes nothing and says so.

#include <QDate>
#include <QDialog>

#include <memory>

class ClientDataSet;
class DataSet;

namespace Ui {
class TF1301_ObtainSearch;
}

class TF1301_ObtainSearch : public QDialog {
    Q_OBJECT
public:
    static constexpr int RowsPerPage = 24;
    static constexpr int CopiedResult = 1;
    static constexpr int ClosedResult = 2;

    explicit TF1301_ObtainSearch(QWidget *parent = nullptr);
    ~TF1301_ObtainSearch() override;

    Ui::TF1301_ObtainSearch *form() const { return ui.get(); }

    // Job-order entry's basket, filled by OK: the entry screens' fields and
    // job-order entry's own ohnydt, IMJJGO, current_qty and product_qty.
    DataSet *TargetBasket = nullptr;

    // The day of date_ObSearch (after result 1: the day copied).
    QDate SearchDate() const;

    ClientDataSet *cds_F2401_s = nullptr; // GP_SELECT_F2401_WORKENTRY

    // The handlers, public for the callers' tests.
    void SearchObtains();
    void btn_SujuCahgiOkClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::TF1301_ObtainSearch> ui;
    bool m_shown = false;
};
