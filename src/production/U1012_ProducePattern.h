#pragma once
// The production patterns "생산패턴": production entry's button 651310 opens
// this screen modally. A pattern (a named list of items with base quantities
// and a production line, kept on the server) is chosen from the list, its
// lines show in the line grid, the quantities are typed on the key pad into
// the "생산수량" cell, and then:
//  - a temporary save keeps the shown lines in production entry's basket,
//    each tagged with its pattern number (ADNUMB), and lists the pattern
//    under the temporary saves; touching a temporary save shows its lines
//    again; the delete button removes the temporary save touched last;
//  - OK keeps the shown lines as their pattern's temporary save and hands the
//    basket (every temporary save) to production entry (result 1);
//  - the production button saves one production from here (today, header
//    line "001", each line on its own line), its number held across a failed
//    save so the retry completes the same document; the print button prints
//    the slip of the production saved last, re-read under its own date.
//
// The screen works on production entry's basket and its number and insert
// calls, handed over at creation. It empties the basket while it is open
// (temporary saves live there) and, when closed without OK, puts the basket
// back as it was before opening; temporary saves end with the screen.
//
// Temporary saves are keyed by the pattern number of the shown lines: saving
// replaces exactly that pattern's lines in the basket and its one entry.

#include "documents/DocumentNumber.h"

#include <QDate>
#include <QDialog>
#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

class ClientDataSet;
class DataSet;

namespace Ui {
class TF1012_ProducePattern;
}

class TF1012_ProducePattern : public QDialog {
    Q_OBJECT
public:
    static constexpr int OkResult = 1;
    static constexpr int CloseResult = 2;
    static constexpr int ProductionKind = 15;
    // Rows moved by the paging buttons.
    static constexpr int LinePage = 30;
    static constexpr int PatternPage = 20;
    static constexpr int SavePage = 10;

    // basket: production entry's open vtb_STOCK; numbers: its GP_SELECT_MAXNUMBER
    // set (cds_BicgoAll); insert: its GP_INSERT_F3300_PRODUCTENTRY call
    // (cds_Sengsan). All three outlive the screen.
    TF1012_ProducePattern(DataSet &basket, ClientDataSet &numbers, ClientDataSet &insert, QWidget *parent = nullptr);
    ~TF1012_ProducePattern() override;

    Ui::TF1012_ProducePattern &form() const { return *ui; }

    ClientDataSet *cds_F3320_hed = nullptr; // GP_SELECT_F3320_PRODUCTPTRNENTRY
    ClientDataSet *cds_F3321_det = nullptr; // GP_SELECT_F3321_PRODUCTPTRNENTRY
    DataSet *vtb_SengsanPeten = nullptr;    // the shown pattern lines
    DataSet *vtb_PetenImsi = nullptr;       // the temporary saves (UHNUMB, ImsiName)

    // Number of the production saved last from this screen; empty before.
    QString SavedNumb;
    const DocumentNumber &Number() const { return m_number; }

    // The pattern list's current header: its production line code (UHLINB)
    // and name (uhlinb_name); empty when the list is closed or empty.
    QString PatternLine() const;
    QString PatternLineName() const;

    // The handlers, public for production entry's tests.
    void grid_PrpaStock1CellClick();
    void grid_PrpaStock2CellClick();
    void PadKeyMouseUp(int tag);
    void btn_EnterClick();
    void btn_ImsiSaveClick();
    void grid_SengsanSaveListCellClick();
    void btn_DelClick();
    void btn_OkClick();
    void btn_SengsanClick();
    void btn_A4ysPrintClick();
    void btn_CloseClick();

protected:
    void showEvent(QShowEvent *event) override;
    // Any close but a hand-over puts production entry's basket back.
    void done(int result) override;

private:
    struct Shown {
        int pattern = 0;
        QString name;
    };
    void FormShow();
    void postLines();
    void keepShownLines();
    void appendLine(DataSet &to, const DataSet &from);
    void deleteBasketLines(int pattern);
    void restoreBasket();

    std::unique_ptr<Ui::TF1012_ProducePattern> ui;
    DataSet &m_basket;
    ClientDataSet &m_insert;
    DocumentNumber m_number;
    QDate m_heldDate;   // the date of the number held after a failed save
    QDate m_savedDate;  // the date of SavedNumb
    Shown m_shown;      // the pattern of the shown lines
    QList<QList<QVariant>> m_basketBefore;
    int m_basketRecNo = 0;
    bool m_shownOnce = false;
    bool m_handedOver = false;
};
