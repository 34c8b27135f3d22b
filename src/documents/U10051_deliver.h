#pragma once
// The release to customers "출고": one release entry (type "001") to a
// customer or branch, its lines taken from a received order (tab "수주된 내역"),
// an order pattern (tab "패턴출고") or an order placed earlier (the placed-order
// picker). Each source reads its lines before it sets the customer, so a
// failed read (logged) leaves the customer and the lines as they were.
// Quantities are corrected on the key pad, which types into the
// quantity cell of the line grid; the unit of a line switches between the
// item's two units on the 단위 column.
//
// Saving: the signed-in user needs wrau of "F30_DELIVERYENTRY"; only lines
// with a quantity are sent, numbered 1, 2, ...; with none, nothing is asked
// or written. The number (kind 13, month of the release date) is held by
// DocumentNumber until the save completes, so a failed save's retry resends
// the same key and the server replaces the partly written release. Lines
// from a received order name its month, number and line, so the server ties
// them to that order line whatever the release's month; the server refuses
// a line of another customer's order, which the error box shows, the lines
// staying for correcting.

#include "documents/DocumentNumber.h"
#include "shell/WorkScreen.h"

#include <QString>

#include <memory>

class ClientDataSet;
class DataSet;
class QWidget;
class TColumn;
class TF652_EdOrder;
class TSupplierCombos;

namespace Ui {
class TF10051_deliver;
}

class TF10051_deliver : public TWorkScreen {
    Q_OBJECT
public:
    static constexpr int LinePage = 27;   // rows moved by the line paging buttons
    static constexpr int ListPage = 8;    // rows moved by the order and pattern paging buttons
    static constexpr int ReleaseKind = 13; // document kind of the number

    explicit TF10051_deliver(QWidget *parent = nullptr);
    ~TF10051_deliver() override;

    // The generated form: every control under its component name.
    Ui::TF10051_deliver &form() const { return *ui; }

    DataSet *WorkTable() const override { return VTB_PATTERNBALJU; }

    // Data sets.
    DataSet *VTB_PATTERNBALJU = nullptr;
    ClientDataSet *cds_F0100 = nullptr;
    ClientDataSet *cds_F2110_s = nullptr;
    ClientDataSet *cds_F2111_s = nullptr;
    ClientDataSet *cds_F2400_hed = nullptr;
    ClientDataSet *cds_F2401_det = nullptr;
    ClientDataSet *cds_BicgoAll = nullptr;
    ClientDataSet *cds_Chulgo = nullptr;

    TSupplierCombos &Customers() const { return *m_customers; }
    const DocumentNumber &Number() const { return *m_number; }

    // Handlers, public for tests.
    void FormShow();
    void mgd_RegDeliverylistCellClick();          // the touched received order's lines
    void grid_PrpaStock1CellClick();              // the touched pattern's lines
    void com_PetenBunruAllChange();               // pattern filter
    void BitBtn1Click();                          // the supplier picker
    void btn_OkClick();                           // the placed-order picker
    void LoadPlacedOrder(TF652_EdOrder &picker);  // what btn_OkClick does after OK
    void grid_RegorderlistCellClick(TColumn *column);
    void PadKeyUp(int tag);                       // a key of the key pad
    void btn_EnterClick();
    void btn_chulClick();                         // save
    void btn_CloseClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void focusQuantity();
    void dropPendingEdit();
    void saveRelease();

    std::unique_ptr<Ui::TF10051_deliver> ui;
    std::unique_ptr<TSupplierCombos> m_customers;
    std::unique_ptr<DocumentNumber> m_number;
};

extern TF10051_deliver *F10051_deliver;
