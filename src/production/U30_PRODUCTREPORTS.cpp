#include "production/U30_PRODUCTREPORTS.h"

#include "platform/dataset/DataSet.h"
#include "platform/report/ReportFormat.h"

namespace {

// How a detail cell prints its field of the current row.
enum class Cell { Text, Quantity, Amount };

struct CellDef {
    const char *field;
    Cell kind;
};

QString cellText(const DataSet &row, const CellDef &c, const char *quantityPattern)
{
    const Field &f = row.FieldByName(QLatin1String(c.field));
    switch (c.kind) {
    case Cell::Text:
        return f.AsString();
    case Cell::Quantity:
        return report::FormatNumber(QString::fromLatin1(quantityPattern), f.AsFloat());
    case Cell::Amount:
        return report::FormatNumber(u"%10.0n", f.AsCurrency());
    }
    return {};
}

// Fills detail row `detailRow` of a form from cells, one per column.
void fillRow(TablePrintForm &form, const DataSet &row, int detailRow, const std::vector<CellDef> &cells,
             const char *quantityPattern)
{
    for (int i = 0; i < int(cells.size()); ++i)
        form.cell(u'D', detailRow, i)->setCaption(cellText(row, cells[size_t(i)], quantityPattern));
}

ReportColumnTable columnTable(std::vector<int> widths, const char *const *headings, int textColumns)
{
    ReportColumnTable t;
    for (size_t i = 0; i < widths.size(); ++i)
        t.heading1 << QString::fromUtf8(headings[i]);
    t.widths = std::move(widths);
    for (int i = 0; i < textColumns; ++i)
        t.textColumns.push_back(i);
    return t;
}

TableFormLayout formLayout(const char *kind, const char *title, QPageLayout::Orientation orientation)
{
    TableFormLayout l;
    l.kind = QLatin1String(kind);
    l.title = QString::fromUtf8(title);
    l.orientation = orientation;
    return l;
}

// --- the daily report ---

const char *const kDailyReportHeadings[] = {"생산일",   "생산라인", "품번",     "품명",     "대분류명",
                                            "중분류명", "사업단위", "단위",     "생산수량", "원재료비",
                                            "부가비용", "생산원가", "생산금액", "손실수량"};
const std::vector<CellDef> kDailyReportCells = {
    {"rhdate", Cell::Text},      {"RDLINB", Cell::Text},    {"RDITNB", Cell::Text},   {"itnb_name", Cell::Text},
    {"gkid_name", Cell::Text},   {"mkid_name", Cell::Text}, {"buut_name", Cell::Text}, {"RDUNIT", Cell::Text},
    {"RDQTY", Cell::Quantity},   {"RDWPRC", Cell::Amount},  {"RDBPRC", Cell::Amount},  {"cost", Cell::Amount},
    {"amt", Cell::Amount},       {"RDLQTY", Cell::Quantity}};

// --- the daily totals ---

const char *const kDailySumHeadings[] = {"사업단위", "날짜", "요일", "품명", "수량", "생산금액", "소매금액"};
const std::vector<CellDef> kDailySumCells = {{"buut_name", Cell::Text}, {"nalja", Cell::Text}, {"yoil", Cell::Text},
                                             {"itnb_name", Cell::Text}, {"qty", Cell::Quantity},
                                             {"amt", Cell::Amount},     {"samt", Cell::Amount}};

// --- the totals by item and month ---

std::vector<CellDef> itemCells(bool amounts)
{
    std::vector<CellDef> cells;
    static const QByteArrayList names = [] {
        QByteArrayList n{"buut_name", "gkid_name", "itnb_name", "tot_gamt", "tot_samt"};
        for (int m = 1; m <= 12; ++m) {
            const QByteArray mm = QByteArray::number(m).rightJustified(2, '0');
            n << "gamt" + mm << "samt" + mm;
        }
        return n;
    }();
    // Names stay alive in the static list; the first row names its three texts.
    if (!amounts)
        for (int i = 0; i < 3; ++i)
            cells.push_back({names[i].constData(), Cell::Text});
    cells.push_back({names[amounts ? 4 : 3].constData(), amounts ? Cell::Amount : Cell::Quantity});
    for (int m = 0; m < 12; ++m)
        cells.push_back({names[5 + 2 * m + (amounts ? 1 : 0)].constData(), amounts ? Cell::Amount : Cell::Quantity});
    return cells;
}

} // namespace

const ReportColumnTable &TF30_PRODUCTDAILYREPORT::Columns()
{
    static const ReportColumnTable t =
        columnTable({70, 50, 60, 120, 95, 95, 60, 50, 80, 80, 80, 80, 80, 80}, kDailyReportHeadings, 8);
    return t;
}

TF30_PRODUCTDAILYREPORT::TF30_PRODUCTDAILYREPORT(DataSet *rows, const QString &period, QObject *parent)
    : TablePrintForm(Columns(),
                     [] {
                         TableFormLayout l = formLayout("TF30_PRODUCTDAILYREPORT", "생산 일보", QPageLayout::Landscape);
                         l.ruleUnderDetail = true;
                         return l;
                     }(),
                     rows, parent)
{
    setPeriodText(period);
    setFillDetail([](TablePrintForm &form, DataSet &row) { fillRow(form, row, 0, kDailyReportCells, "%10.2n"); });
}

const ReportColumnTable &TF30_DAILYPRODUCTSUM::Columns()
{
    static const ReportColumnTable t = columnTable({100, 80, 50, 130, 130, 130, 130}, kDailySumHeadings, 4);
    return t;
}

TF30_DAILYPRODUCTSUM::TF30_DAILYPRODUCTSUM(DataSet *rows, const QString &period, QObject *parent)
    : TablePrintForm(Columns(), formLayout("TF30_DAILYPRODUCTSUM", "일별 생산 집계", QPageLayout::Portrait), rows, parent)
{
    setPeriodText(period);
    setFillDetail([](TablePrintForm &form, DataSet &row) { fillRow(form, row, 0, kDailySumCells, "%10.2n"); });
}

const ReportColumnTable &TF30_ITEMPRODUCTSUM::Columns()
{
    static const ReportColumnTable t = [] {
        ReportColumnTable c;
        c.widths = {50, 55, 75};
        c.heading1 = QStringList{QStringLiteral("사업단위"), QStringLiteral("대분류명"), QStringLiteral("품명"),
                                 QStringLiteral("총생산수량")};
        c.heading2 = QStringList{QString(), QString(), QString(), QStringLiteral("총생산금액")};
        c.widths.push_back(70);
        for (int m = 1; m <= 12; ++m) {
            c.widths.push_back(70);
            c.heading1 << QString::number(m) + QStringLiteral("월생산수량");
            c.heading2 << QString::number(m) + QStringLiteral("월생산금액");
        }
        c.textColumns = {0, 1, 2};
        return c;
    }();
    return t;
}

TF30_ITEMPRODUCTSUM::TF30_ITEMPRODUCTSUM(DataSet *rows, const QString &period, QObject *parent)
    : TablePrintForm(Columns(),
                     [] {
                         TableFormLayout l = formLayout("TF30_ITEMPRODUCTSUM", "품목별 생산 집계", QPageLayout::Landscape);
                         l.issueDateTime = true;
                         l.periodLabelName = QStringLiteral("nalja");
                         l.rows = 2;
                         l.columnHeaderHeight = 43;
                         l.headingTops = {6, 19};
                         l.detailHeight = 36;
                         l.detailTops = {4, 17};
                         l.ruleUnderDetail = true;
                         return l;
                     }(),
                     rows, parent)
{
    setPeriodText(period);
    setFillDetail([](TablePrintForm &form, DataSet &row) {
        static const std::vector<CellDef> quantities = itemCells(false);
        static const std::vector<CellDef> amounts = itemCells(true);
        fillRow(form, row, 0, quantities, "%10.0n");
        // The second line: the three text cells cleared for every item, then
        // the amounts from column 3.
        for (int i = 0; i < 3; ++i)
            form.cell(u'D', 1, i)->setCaption(QString());
        for (int i = 0; i < int(amounts.size()); ++i)
            form.cell(u'D', 1, 3 + i)->setCaption(cellText(row, amounts[size_t(i)], "%10.0n"));
    });
}
