#pragma once
// The release list: the stock-out entries of a date range, the lines of the
// touched entry, and the copy of that entry's lines into the basket of the
// stock-out screen that opened it.
//
// Calling contract: the caller creates the list, sets ListMode ("1"
// secondary material and discards, "2" tastings and gifts) and TargetBasket
// (its own open vtb_STOCK), runs exec() and frees the list. 1 (OK) means the
// basket now holds the lines of the chosen entry, whose key ChosenEntry()
// gives; 7 (the close button) leaves the basket untouched. Nothing is
// searched until the search button is pressed.
//
// The chosen entry is the header row touched last, not the header grid's
// current row: paging the headers moves that row but neither the lines shown
// nor what the copy takes. The copy reads all lines of the chosen entry that
// the item-type filter shows before it replaces the basket; when the read
// fails the basket stays as it was, the error is shown and the list stays
// open.
//
// While shown, the line grid selects in toggle mode: each touch adds or
// removes one line from the selection (no key is held for it).
//
// A list that is never shown serves the stock-out slip: OpenEntryLines reads
// a saved entry into cds_F3201_det.

#include "core/ClientFilter.h"

#include <QDate>
#include <QDialog>
#include <QString>

#include <memory>

class ClientDataSet;
class DataSet;

namespace Ui {
class TF1013_ReleaseList;
}

class TF1013_ReleaseList : public QDialog {
    Q_OBJECT
public:
    static constexpr int RowsPerPage = 10;
    static constexpr int CopiedResult = 1;
    static constexpr int ClosedResult = 7;

    explicit TF1013_ReleaseList(QWidget *parent = nullptr);
    ~TF1013_ReleaseList() override;

    // The generated form: every control under its component name.
    Ui::TF1013_ReleaseList &form() const { return *ui; }

    QString ListMode;             // "1" or "2"
    DataSet *TargetBasket = nullptr; // the caller's basket, filled by the copy

    struct Entry {
        QString month; // DHMONTH
        qint64 number = 0; // DHNUMB
        QDate date;    // DHDATE
        bool isNull() const { return number == 0; }
    };
    // The entry whose lines are shown (after result 1: the copied entry).
    Entry ChosenEntry() const { return m_chosen; }

    ClientDataSet *cds_F3200_hed = nullptr; // GP_SELECT_F3200_DELIVERYENTRY_POS
    ClientDataSet *cds_F3201_det = nullptr; // GP_SELECT_F3201_DELIVERYENTRY

    // The handlers, public for the callers' tests.
    void btn_chulgoStockHedsearchClick();
    void grid_ChStock1CellClick();
    void btn_ScEditClick();
    void ItemTypeClick(ItemTypeButton button);
    // Reads the lines of one entry of this store into cds_F3201_det; throws
    // what the server answered.
    void OpenEntryLines(const QString &month, qint64 number);

    // The header filter of a mode.
    static QString ModeFilter(const QString &mode);

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();

    std::unique_ptr<Ui::TF1013_ReleaseList> ui;
    Entry m_chosen;
    bool m_shown = false;
};

// The list while a stock-out screen runs it (or holds it for its slip).
extern TF1013_ReleaseList *F1013_ReleaseList;
