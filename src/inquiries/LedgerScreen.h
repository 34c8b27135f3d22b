#pragma once
// What the product and the raw-material ledger screens share: the period
// pickers stdt / eddt (set on creation to the first day of the month and
// today), the search button (hourglass while it runs), the print button, a
// grid with titles, column and row lines, whole-row selection and a
// horizontal scroll bar, paged by 24 rows with its up / down buttons, the
// close button. A search sends the period as "yyyymmdd" with empty category
// ids, name and lower name bound, and the upper bound "zzzzzzzzzz".

#include "shell/WorkScreen.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <initializer_list>

class ClientDataSet;
class DataSet;
class QDateEdit;
class TMirelGrid;
class TMirelImgBtn;

class TLedgerScreen : public TWorkScreen {
    Q_OBJECT
public:
    static constexpr int RowsPerPage = 24;
    static inline const QString NoDataText = QStringLiteral("미리보기나 인쇄할 데이타가 존재하지 않읍니다.");

    // The period the pickers show.
    QDate From() const;
    QDate To() const;

    // The search, the print and the close button's handlers.
    virtual void btn_BjStockDetailsearchClick() = 0;
    virtual void MirelImgBtn1Click() = 0;
    virtual void btn_CloseClick() = 0;
    // What the scroll menu calls: the close button's handler.
    void CloseOperation() override { btn_CloseClick(); }

protected:
    struct Controls {
        QDateEdit *stdt, *eddt;
        TMirelImgBtn *search, *print, *up, *down, *close;
        TMirelGrid *grid;
    };
    struct GridColumn {
        const char *field, *title; // title UTF-8
        int width = DefaultColumnWidth;
    };
    static constexpr int DefaultColumnWidth = 64;

    using TWorkScreen::TWorkScreen;

    // After setupUi: the pickers, the grid on `shown` with its columns and a
    // page of 24 rows, the buttons connected to the handlers.
    void setUpLedger(const Controls &controls, DataSet *shown, std::initializer_list<GridColumn> columns);

    // Sets the named parameters of a ledger call (any case: "a_cmcd" or
    // "A_CMCD"; a_gubun "1", a_itty "" among them) for the pickers' period.
    void setLedgerParams(ClientDataSet &call, const QStringList &names) const;

private:
    Controls m_controls{};
};
