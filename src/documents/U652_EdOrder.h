#pragma once
// The placed-order picker "패턴 발주": the store's purchase orders of one
// order date, the lines and totals of the touched order, deletion after a
// question, and "수 정" handing the touched order back to the caller.
//
// Calling contract: the caller creates the picker, sets nothing and runs
// exec(). 1 (OK) comes only from "수 정"; the caller then reads CMB_ADNB's
// text (the chosen order's supplier), the current row of cds_F2100_pat
// (phnumb, PHADNUMB, phadnb, PHMONTH) and, when it is open, cds_F2101_det
// with that order's lines. cds_F2101_det is open only while a touched order
// of the listed date is shown: a date change or a delete closes it, sets
// CMB_ADNB back to "99999999" and both totals to "0", so the caller never
// gets one order's lines with another order's number. On "수 정" the touched
// order's row is made current again, whatever the paging buttons moved, and
// "삭제" deletes the touched order (none touched: a notice, nothing deleted).

#include <QDialog>
#include <QVariantList>

#include <memory>

class ClientDataSet;

namespace Ui {
class TF652_EdOrder;
}

class TF652_EdOrder : public QDialog {
    Q_OBJECT

public:
    static constexpr int LinePage = 27;   // rows moved by the line-list paging buttons
    static constexpr int OrderRowHeight = 30;
    static constexpr int LineRowHeight = 22;

    explicit TF652_EdOrder(QWidget *parent = nullptr);
    ~TF652_EdOrder() override;

    // The generated form: every control under its component name.
    Ui::TF652_EdOrder &form() const { return *ui; }

    ClientDataSet *cds_F2100_pat = nullptr;
    ClientDataSet *cds_F2101_det = nullptr;
    ClientDataSet *cds_F2100_BaljuDel = nullptr;

    // The rows the order list shows, the step of its paging buttons.
    int OrderPage() const;

    // The handlers of the screen, public for the caller's tests.
    void LoadOrders();              // the orders of date_Wantdate
    void grid_PetenlistCellClick(); // lines and totals of the current order row
    void BTN_editClick();
    void btn_dClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void clearTouched();
    void showTotals(const QString &taxKind);
    void markTouchedRow(bool touched);

    std::unique_ptr<Ui::TF652_EdOrder> ui;
    QVariantList m_touched; // PHMONTH, PHNUMB of the order whose lines are open
    bool m_shown = false;
    int m_selectedCell = 0; // the order list's selection colours, shown once a row is touched
    int m_selectedFont = 0;
};

extern TF652_EdOrder *F652_EdOrder;
