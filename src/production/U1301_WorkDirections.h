#pragma once
// The job-order list: the store's job orders between two days, the lines of
// the touched job order, and the copy of a job order's lines into the basket
// of the screen that opened it, job-order entry (ListMode "1", to save it
// again or delete it) or production entry ("2", to record its production).
//
// Calling contract: the caller creates the list, sets ListMode and
// TargetBasket (its own open vtb_STOCK), runs exec() and frees the list.
// 1 (OK) means the basket now holds the lines of the chosen job order, whose
// header ChosenJobOrder() gives; 7 (the close button) leaves the basket
// untouched. Nothing is searched until the search button is pressed; the
// range starts on the first of the month and ends today.
//
// The chosen job order is the header row touched last, not the header
// grid's current row (the headers page by 9 as the lines do); without a touch
// it is the first job order of the search. OK reads the chosen job order's
// lines again and only then replaces the basket, so a failed read leaves the
// basket as it was, shows the error and keeps the list open; OK with no job
// order to copy (no search yet, nothing found, no lines) changes nothing
// and says so. Each copied line carries its item's kind as a word (IMITTY),
// so a goods line is known as one.

#include <QDate>
#include <QDialog>
#include <QString>

#include <memory>
#include <optional>

class ClientDataSet;
class DataSet;

namespace Ui {
class TF1301_WorkDirections;
}

class TF1301_WorkDirections : public QDialog {
    Q_OBJECT
public:
    static constexpr int RowsPerPage = 9;
    static constexpr int CopiedResult = 1;
    static constexpr int ClosedResult = 7;

    explicit TF1301_WorkDirections(QWidget *parent = nullptr);
    ~TF1301_WorkDirections() override;

    Ui::TF1301_WorkDirections *form() const { return ui.get(); }

    QString ListMode;                // "1" job-order entry, "2" production entry
    DataSet *TargetBasket = nullptr; // the caller's basket, filled by OK

    struct JobOrder {
        QString month;      // JHMONTH, "yyyymm"
        qint64 number = 0;  // JHNUMB
        QString year;       // JHYEAR, "yyyy"
        QDate date;         // JHDATE
        QDate deliveryDate; // JHNYDT; 1900-01-01, the server's empty date, for none
        bool isNull() const { return number == 0; }
    };
    // The job order OK copies (after result 1: the one copied); null while
    // nothing was touched and no search found anything.
    JobOrder ChosenJobOrder() const;

    ClientDataSet *cds_F3310_hed = nullptr; // GP_SELECT_F3310_WORKENTRY
    ClientDataSet *cds_F3311_det = nullptr; // GP_SELECT_F3311_WORKENTRY

    // The handlers, public for the callers' tests.
    void SearchWorkDirections();
    void grid_WorkDirectionhedCellClick();
    void MirelImgBtn3Click();

    // Reads the lines of one job order of this store into cds_F3311_det;
    // throws what the server answered.
    void OpenJobOrderLines(const QString &month, qint64 number);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();

    std::unique_ptr<Ui::TF1301_WorkDirections> ui;
    std::optional<JobOrder> m_touched;
    bool m_shown = false;
};
