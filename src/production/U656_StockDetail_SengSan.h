#pragma once
// The production status list: the store's productions between two days, the
// lines of the touched production, and the hand-over of a production into
// the basket of production entry, which then changes or deletes it.
//
// Calling contract: the caller creates the list, sets TargetBasket (its own
// open vtb_STOCK), runs exec() and frees the list. 1 (OK) means the basket
// now holds every line of the chosen production, whose header
// ChosenProduction() gives; 7 (the close button) leaves the basket
// untouched. The list searches yesterday to today when it is shown.
//
// The chosen production is the header row touched last, not the header
// grid's current row: paging the headers moves that row but neither the
// lines shown nor what the hand-over takes. Without a touch it is the first
// production of the search. The hand-over reads every line of the chosen
// production, whatever the item-type filter shows (the basket is saved back
// as the whole production), before it replaces the basket; when the read
// fails the basket stays as it was, the error is shown and the list stays
// open, and a production without lines changes nothing either.
//
// A list that is never shown serves the production slips: OpenProductions
// and OpenProductionLines read a saved production into the two data sets.

#include "core/ClientFilter.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <optional>

class ClientDataSet;
class DataSet;
class QDate;

namespace Ui {
class TF656_StockDetail_SengSan;
}

class TF656_StockDetail_SengSan : public QDialog {
    Q_OBJECT
public:
    static constexpr int RowsPerPage = 10;
    static constexpr int CopiedResult = 1;
    static constexpr int ClosedResult = 7;

    explicit TF656_StockDetail_SengSan(QWidget *parent = nullptr);
    ~TF656_StockDetail_SengSan() override;

    Ui::TF656_StockDetail_SengSan *form() const { return ui.get(); }

    DataSet *TargetBasket = nullptr; // the caller's basket, filled by the hand-over

    struct Production {
        QString month;      // RHMONTH, "yyyymm"
        qint64 number = 0;  // RHNUMB
        QString year;       // RHYEAR, "yyyy"
        QString date;       // RHDATE, "yyyymmdd"
        QString line;       // RHLINB, the production line's code
        QString lineName;   // SengsangLine
        bool isNull() const { return number == 0; }
    };
    // The production a hand-over takes (after result 1: the one handed
    // over); null while nothing was touched and the search found nothing.
    Production ChosenProduction() const;

    ClientDataSet *cds_F3300_hed = nullptr; // GP_SELECT_F3300_StockDetail_SengSanHed_Search
    ClientDataSet *cds_F3301_det = nullptr; // GP_SELECT_F3301_StockDetail_SengSanDetail_Search

    // The handlers, public for the callers' tests.
    void btn_SdssSearchClick();
    void grid_SdssStock1CellClick();
    void ItemTypeClick(ItemTypeButton button);
    void btn_SdssEditClick();

    // Read this store's productions dated from..to, or one production's
    // lines (month "yyyymm"); both throw what the server answered.
    void OpenProductions(const QDate &from, const QDate &to);
    void OpenProductionLines(const QString &month, qint64 number);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();

    std::unique_ptr<Ui::TF656_StockDetail_SengSan> ui;
    std::optional<Production> m_touched;
    bool m_shown = false;
};
