#pragma once
// What the three production report screens share: the close button (modal
// result 2), the minimise button (minimises the application, as the entry
// screens' does), the result grid in Panel3 with titles, column and row
// lines and whole-row selection, made as tall as one page of its rows and
// paged by the up / down buttons (Tags 706 / 707), the print button
// (PreviewReport with the screen's own form and no-data text), and for the
// screens with a production-line choice its load at the first showing.
//
// The period a print shows is the period of the search whose rows it prints
// (set by a search that succeeded), not what the pickers show at print time.

#include "production/ProductionLines.h"
#include "shell/WorkScreen.h"

#include <QDate>
#include <QString>

#include <functional>
#include <initializer_list>
#include <memory>

class ClientDataSet;
class DataSet;
class QComboBox;
class QDateEdit;
class QLineEdit;
class TMirelGrid;
class TMirelImgBtn;
class TablePrintForm;

class TProductionReportScreen : public TWorkScreen {
    Q_OBJECT
public:
    static constexpr int ClosedResult = 2;
    // The first year of the year lists.
    static constexpr int FirstYear = 2008;

    ~TProductionReportScreen() override;

    // The result data set of the screen.
    ClientDataSet *Result() const { return m_result; }
    // The period label of the rows shown (set by the last search that
    // succeeded; empty before).
    const QString &SearchedPeriod() const { return m_searchedPeriod; }

    // The handlers.
    virtual void btn_BjStockDetailsearchClick() = 0;
    void PrintClick();
    void btn_CloseClick();
    // What the scroll menu calls: the close button's handler.
    void CloseOperation() override { btn_CloseClick(); }

    // The day pickers of the daily screens: the first day of the month and
    // today, by the application clock.
    static void SetMonthToDate(QDateEdit *from, QDateEdit *to);
    // The year list: FirstYear to the application clock's year, that year chosen.
    static void FillYears(QComboBox *years);
    // "yyyy-mm-dd ~ yyyy-mm-dd" after a label such as "기간 : ".
    static QString PeriodText(const QString &label, const QDate &from, const QDate &to);

protected:
    struct Controls {
        TMirelGrid *grid;
        TMirelImgBtn *up, *down, *search, *print, *close, *minimize;
    };
    struct GridColumn {
        const char *field, *title; // title UTF-8
        int width;
    };
    using FormFactory = std::function<std::unique_ptr<TablePrintForm>(DataSet *rows, const QString &period)>;

    using TWorkScreen::TWorkScreen;

    // After setupUi: the grid on `result` with its columns and a page of
    // `rowsPerPage` rows (with a horizontal scroll bar when `scrolls`), the
    // buttons connected; the print creates its form with `createForm` and
    // answers no rows with `noDataText`.
    void setUpReport(const Controls &controls, ClientDataSet *result, std::initializer_list<GridColumn> columns,
                     int rowsPerPage, bool scrolls, FormFactory createForm, const QString &noDataText);

    // The line choice of the daily totals and the totals by item: the
    // controls and the line query; loaded at the first showing.
    void setUpLineChoice(QComboBox *names, QComboBox *codes, QLineEdit *code);

    // Runs a prepared search: closes nothing, opens `m_result` and, when it
    // opened, keeps `period` as the period of the rows shown. A server error
    // propagates (the error box); the rows stay closed.
    void openResult(const QString &period);

    void showEvent(QShowEvent *event) override;

    ClientDataSet *cds_F0011_SengsanLine = nullptr;

private:
    ClientDataSet *m_result = nullptr;
    TMirelGrid *m_grid = nullptr;
    FormFactory m_createForm;
    QString m_noDataText;
    QString m_searchedPeriod;
    std::unique_ptr<ProductionLineChoice> m_lines;
};
