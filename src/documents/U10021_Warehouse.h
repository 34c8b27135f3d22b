#pragma once
// The warehouse receipt "입고": goods received into the store's warehouse.
//
// The lines come from an open purchase order (tab "발주된  내역"), from an
// order pattern (tab "패턴 입고") or, for viewing only, from an earlier
// receipt (tab "입고내역"). Quantities are corrected on the key pad in the
// line grid and the receipt is saved as one document (kind 11) under the
// month of the receipt date. From the history the remainder of the orders a
// receipt received can be closed.
//
// Touching an open order proposes what is still open of each line; while its
// lines are shown, their supplier (name list and picker) and the order's tax
// kind are fixed. Touching a pattern frees them again, with the tax kind the
// screen starts with (VAT included).
//
// Lines of an order keep the order's month and line number (BAMONTH, BASEQ)
// and its number (SUSUM) and send them as the line's order reference, so an
// order of an earlier month is found too. A save that fails shows a notice
// and keeps the lines and the drawn number: the retry resends the receipt
// under that number, which replaces what the failed try left.

#include "documents/DocumentNumber.h"
#include "shell/WorkScreen.h"

#include <QString>

#include <memory>

class ClientDataSet;
class DataSet;
class TMCustomDBGrid;
class TSupplierCombos;

namespace Ui {
class TF10021_Warehouse;
}

class TF10021_Warehouse : public TWorkScreen {
    Q_OBJECT
public:
    static constexpr int ListPage = 8;  // rows moved by the open-order and pattern pairs
    static constexpr int LinePage = 27; // rows moved by the line pair
    static constexpr int DocumentKind = 11;
    static constexpr const char *NoSupplier = "주소번호";

    explicit TF10021_Warehouse(QWidget *parent = nullptr);
    ~TF10021_Warehouse() override;

    // The generated form: every control under its component name.
    Ui::TF10021_Warehouse &form() const { return *ui; }

    DataSet *WorkTable() const override { return VTB_PATTERNBALJU; }

    // The work lines and the history.
    DataSet *VTB_PATTERNBALJU = nullptr;
    DataSet *vtb_3100_hed = nullptr;
    TSupplierCombos *Suppliers = nullptr;

    ClientDataSet *cds_F0100 = nullptr, *cds_F2110_s = nullptr, *cds_F2111_s = nullptr;
    ClientDataSet *cds_F2100_hed = nullptr, *cds_F2101_det = nullptr;
    ClientDataSet *cds_F3100_hed = nullptr, *cds_F3101_det = nullptr;
    ClientDataSet *cds_BicgoAll = nullptr, *cds_Ipgo = nullptr, *cds_F2100_hedup = nullptr;

    // True while the lines are those of a history receipt (for viewing only).
    bool HistoryLines() const { return m_historyLines; }
    const DocumentNumber &Number() const { return *m_number; }

    // The handlers, public for the screen's tests.
    void LoadScreen();               // suppliers, patterns and open orders
    void grid_StockItemsCellClick(); // the current open order's lines
    void grid_PetenlistCellClick();  // the current pattern's lines
    void com_PetenBunruAllChange();
    void BitBtn1Click();
    void btn_SdStockHedsearchClick();
    void grid_SdStockCellClick();    // the current history receipt's lines
    void btn_EnterClick();
    void KeyPadMouseUp(int tag);
    void btn_MenuClick();            // save
    void btn_OkClick();              // close the remainder
    void btn_CloseClick();
    void PageList(TMCustomDBGrid *grid, int tag); // the open-order, pattern and history pairs
    void PageLines(int tag);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();
    void setupGrids();
    void setSupplier(const QString &code);
    void emptyLines();
    void fixSupplier(bool fixed);
    void resetTaxKind();
    void resetAfterSave();
    void saveReceipt();
    void focusQuantity();

    std::unique_ptr<Ui::TF10021_Warehouse> ui;
    std::unique_ptr<DocumentNumber> m_number;
    bool m_historyLines = false;
};

extern TF10021_Warehouse *F10021_Warehouse;
