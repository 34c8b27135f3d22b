#pragma once
// The A4 lists of the document history (landscape): every line of the
// page's documents in the page's date range, as the form's own query
// Cds_Procedure1 reads them when the form is created. The page header shows
// the title, "발행일:" with the printing day (or day and time), the page as
// "Page  : n/total" and the period: the date label, the from and to days
// "yyyy-mm-dd" joined by " ~ "; the page footer shows the store's name. The
// columns come from the form's column table: text columns as the field's
// text, number columns formatted ("%9.1n").
//
// A form is created for each print; PreviewHistoryList shows it when its
// query found lines and otherwise the no-data notice, and the form goes when
// its preview is closed. A failed query is not caught: creating the form
// throws the server's error.

#include "production/ReportColumns.h"

#include <QDate>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

class ClientDataSet;

struct HistoryListDef {
    const char *kind;      // the form's class name, key of its page total
    const char *caption;   // "발주내역서 출력"
    const char *title;     // "발주 내역서"
    const char *procedure; // "[GP_SELECT_F2101_PURCHASEINQUIRY]"
    const char *dateLabel; // "발주일 : "
    bool issueDateTime;    // "발행일:" with the time as well
    std::vector<std::pair<const char *, const char *>> ownParams; // text parameters beyond the common ones
    ReportColumnTable table;
    // Per column: the field and its number format ("" for a text column); a
    // format ending in a blank prints one blank after the number.
    std::vector<std::pair<const char *, const char *>> cells;
};

class THistoryListForm : public TablePrintForm
{
    Q_OBJECT
public:
    // Runs the list's query for the days from..to of the history's pickers.
    THistoryListForm(const HistoryListDef &def, const QDate &from, const QDate &to, QObject *parent = nullptr);

    ClientDataSet *const Cds_Procedure1;
    QString caption() const { return QString::fromUtf8(m_def.caption); }

private:
    const HistoryListDef &m_def;
};

// The no-data notice of the lists.
extern const char *const kHistoryListNoData;

// Previews the form when its query found lines (prepared from the first, its
// page count kept as its kind's page total), else shows the no-data notice
// (kind 2, 2000 ms); the form is freed either way.
void PreviewHistoryList(std::unique_ptr<THistoryListForm> form);
