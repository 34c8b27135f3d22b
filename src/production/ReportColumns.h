#pragma once
// Table-driven A4 list prints.
//
// Each list print form carries a constant ReportColumnTable. At print time
// LayoutReportColumns gives every heading and detail cell of the form its
// caption (headings), width, left edge and alignment from that table. Cells
// are report labels named "H" (heading) or "D" (detail), on two-row forms
// followed by the row digit, then the column index in two digits: "H00",
// "D13", "H115". PreviewReport is the print button of a screen with such a
// print: no-data notice, create the form, first row, prepare, page total,
// preview.
//
// TablePrintForm is the shared form: page header (title, "발행일:" with the
// printing day, "Page  : n/total", the period label), column header with a
// rule above and below, detail cells, page footer with the store name.

#include "platform/report/Report.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class DataSet;

struct ReportColumnTable
{
    std::vector<int> widths;        // layout pixels; one per column
    QStringList heading1;           // captions of heading row 1
    QStringList heading2;           // heading row 2 (two-row forms), "" for none
    std::vector<int> textColumns;   // left-aligned; every other column right-aligned
    int left0 = 0;                  // left edge of column 0

    int count() const { return int(widths.size()); }
    bool isText(int column) const;
    // Left edge of a column: left0 plus the widths of the columns before it.
    int leftOf(int column) const;
};

// The heading row a layout pass takes captions from; NoHeading for detail passes.
constexpr int NoHeading = -1;

// One pass over the report labels of form whose names lie between first and
// last (ordinal, case-sensitive, both included), visited in creation order.
// Throws std::logic_error for a cell whose column the table lacks.
void LayoutReportColumns(report::Report &form, const ReportColumnTable &table,
                         const QString &first, const QString &last, int headingRow = NoHeading);

// The page count of the last prepared report of a print-form kind (0 before
// the first); kept from one print to the next.
int ReportPageTotal(const QString &kind);
void SetReportPageTotal(const QString &kind, int total);

// Prepares the form, stores its page count as the page total of its kind (the
// form's object name) and shows the preview; returns when it is closed.
void PrepareAndPreview(report::Report &form);

// The print button of a screen with an A4 print: a closed or empty result
// gives the no-data notice (kind 2, 2000 ms) and creates nothing; otherwise a
// new form from createForm, the result's first row, PrepareAndPreview.
void PreviewReport(DataSet *result, const std::function<std::unique_ptr<report::Report>()> &createForm,
                   const QString &noDataText);

// Geometry and texts of one table-driven list form.
struct TableFormLayout
{
    QString kind;                   // the form's class name, key of its page total
    QString title;
    QPageLayout::Orientation orientation = QPageLayout::Landscape;
    bool issueDateTime = false;     // day and time beside "발행일:" (day only otherwise)
    QString periodLabelName = QStringLiteral("NALJA");
    int rows = 1;                   // heading rows = detail rows (1 or 2)
    int columnHeaderHeight = 24;
    std::vector<int> headingTops = {5};
    int detailHeight = 20;
    std::vector<int> detailTops = {3};
    bool ruleUnderDetail = false;   // a rule under every detail band
};

class TablePrintForm : public report::Report
{
    Q_OBJECT
public:
    // Fills the detail captions of the current row (cell(u'D', row, column)).
    using FillDetail = std::function<void(TablePrintForm &form, DataSet &result)>;

    TablePrintForm(const ReportColumnTable &table, TableFormLayout layout, DataSet *result,
                   QObject *parent = nullptr);

    const ReportColumnTable &table() const { return m_table; }
    const TableFormLayout &layout() const { return m_layout; }
    DataSet *result() const { return m_result; }

    // "H05" / "D105": letter, row digit on two-row forms, two-digit column.
    QString cellName(QChar letter, int row, int column) const;
    report::Label *cell(QChar letter, int row, int column) const;

    void setPeriodText(const QString &text);
    void setFillDetail(FillDetail fill) { m_fill = std::move(fill); }

private:
    void layoutRow(QChar letter, int row, int headingRow);

    ReportColumnTable m_table;
    TableFormLayout m_layout;
    DataSet *m_result;
    FillDetail m_fill;
};
