#pragma once
// The pattern order entry "패턴 발주": the first work screen after an
// order-work sign-in (menu Tag 501301). The user picks an order pattern (a
// saved list of items of one supplier), types quantities on the key pad into
// the line grid, may park filled patterns as temporary saves in memory, and
// places purchase orders: one from the working lines, or one per supplier or
// per temporary save. A placed order can be reloaded through the placed-order
// picker and placed again under its own month and number (a modification).
//
// The source of the working lines: whenever lines are loaded (a pattern, a
// temporary save, a reloaded order) the screen keeps with them their pattern
// number, supplier and whether they are a recalled save or the reloaded
// order (Source). Saving and ordering take these, never the pattern list's
// current row, which paging, the filter or a reload may have moved.
//
// The reload: a reloaded order stays with its lines, in the working lines or
// in the temporary save they were parked in. Loading other lines over
// unsaved reloaded lines drops it. One press gives the reloaded month and
// number to the first order that holds the reloaded lines only; every other
// order draws a new number of the current month.
//
// Placing orders stops at the first failure: what was placed is removed, the
// rest stays, the user is told which supplier failed, and the failed order
// keeps its drawn number for the retry, so a retry replaces the half-written
// order instead of doubling it.

#include "shell/WorkScreen.h"

#include <QList>
#include <QString>

#include <memory>

class ClientDataSet;
class DataSet;
class DocumentNumber;
class TColumn;
class TSupplierCombos;

namespace Ui {
class TF652_RegOrder;
}

class TF652_RegOrder : public TWorkScreen {
    Q_OBJECT
public:
    // Rows moved by the paging buttons.
    static constexpr int PatternPage = 12;
    static constexpr int SavePage = 5;
    static constexpr int LinePage = 27;

    explicit TF652_RegOrder(QWidget *parent = nullptr);
    ~TF652_RegOrder() override;

    // The generated form: every control under its component name.
    Ui::TF652_RegOrder &form() const { return *ui; }

    DataSet *WorkTable() const override { return VTB_PATTERNBALJU; }

    // In-memory tables.
    DataSet *VTB_PATTERNBALJU = nullptr; // working lines
    DataSet *VTB_IMSIDETAIL = nullptr;   // lines of the temporary saves
    DataSet *VTB_IMSIHEAD = nullptr;     // one row per temporary save
    DataSet *VTB_ADNB = nullptr;         // the suppliers of the temporary saves

    // Server calls.
    ClientDataSet *cds_F0100 = nullptr;     // partners
    ClientDataSet *cds_F2110_s = nullptr;   // order patterns
    ClientDataSet *cds_F2111_s = nullptr;   // pattern lines
    ClientDataSet *CDS_MAXNUMBER = nullptr; // order numbers
    ClientDataSet *cds_Balju = nullptr;     // GP_INSERT_F2100_PURCHASEENTRY

    // Where the working lines came from.
    struct LinesSource {
        int ReloadAdNumb = 0;  // pattern number, sent as A_PHADNUMB
        QString PatternName;   // the name a temporary save of them gets
        QString Supplier;      // the pattern's supplier code ('' when it has none)
        QString SupplierName;
        bool Recalled = false; // the temporary save (ReloadAdNumb, Supplier) touched
        bool Reloaded = false; // the reloaded placed order
    };
    LinesSource Source;

    // The reloaded order while its lines are on screen or in a save:
    // ReloadState "1", its number, month ("yyyymm") and order day ("yyyymmdd").
    QString ReloadState;
    qint64 ReloadNumb = 0;
    QString ReloadMonth;
    QString ReloadDate;

    // The orders the last press of btn_Balju placed, in order.
    struct PlacedOrder {
        QString month;
        qint64 number = 0;
        QString supplier;
    };
    const QList<PlacedOrder> &LastPlaced() const { return m_lastPlaced; }
    const DocumentNumber &Number() const { return *m_number; }

    // The handlers, public for tests.
    void FormShow();
    void BitBtn1Click();
    void com_PetenBunruAllClick();
    void grid_PetenlistCellClick();
    void grid_PetenSaveListCellClick();
    void grid_RegorderlistCellClick(TColumn *column);
    void PadKeyMouseUp(int tag);
    void btn_EnterClick();
    void btn_ImsiSaveClick();
    void btn_DelClick();
    void btn_BaljuClick();
    void btn_OkClick();
    void btn_A4ysPrintClick();
    void btn_CloseClick();
    // Sets the supplier combos to a code (no block check).
    void SetSupplier(const QString &code);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct OrderJob;

    void openTables();
    void appendSavedLine(DataSet &line);
    void replaceWorkingLines();
    void clearReload();
    bool reloadInSaves() const;
    int linesWithQuantity() const;
    bool checkedSupplier(const QString &linesSupplier);
    void removeSave(int pattern, const QString &supplier);
    void rebuildSuppliers();
    QList<OrderJob> ordersFromSaves(int choice) const;
    void placeOrders(const QList<OrderJob> &jobs, bool fromSaves);
    bool placeOneOrder(const OrderJob &job, bool reloaded);
    void pageLines(int tag);

    std::unique_ptr<Ui::TF652_RegOrder> ui;
    std::unique_ptr<TSupplierCombos> m_combos;
    std::unique_ptr<DocumentNumber> m_number;
    QList<PlacedOrder> m_lastPlaced;
};

extern TF652_RegOrder *F652_RegOrder;
