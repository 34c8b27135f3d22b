#include "production/ReportColumns.h"

#include "core/MyConfig.h"
#include "core/uKV_Common_Msg.h"
#include "platform/dataset/DataSet.h"

#include <QHash>

#include <algorithm>
#include <stdexcept>

using report::Alignment;
using report::Band;
using report::BandType;
using report::Label;

bool ReportColumnTable::isText(int column) const
{
    return std::find(textColumns.begin(), textColumns.end(), column) != textColumns.end();
}

int ReportColumnTable::leftOf(int column) const
{
    int left = left0;
    for (int i = 0; i < column && i < count(); ++i)
        left += widths[size_t(i)];
    return left;
}

void LayoutReportColumns(report::Report &form, const ReportColumnTable &table,
                         const QString &first, const QString &last, int headingRow)
{
    const QStringList *headings = headingRow == 0 ? &table.heading1
                                  : headingRow == 1 ? &table.heading2 : nullptr;
    for (report::Item *item : form.components()) {
        auto *label = qobject_cast<Label *>(item);
        if (!label)
            continue;
        const QString name = label->objectName();
        if (name.size() < 2 || QString::compare(name, first) < 0 || QString::compare(name, last) > 0)
            continue;
        const QStringView digits = QStringView(name).right(2);
        if (!digits[0].isDigit() || !digits[1].isDigit())
            continue;
        const int column = digits.toInt();
        if (column >= table.count())
            throw std::logic_error("report cell " + name.toStdString() + " has no column in its table");
        if (headings)
            label->setCaption(column < headings->size() ? headings->at(column) : QString());
        label->setWidth(table.widths[size_t(column)]);
        label->setLeft(table.leftOf(column));
        label->setAlignment(table.isText(column) ? Alignment::Left : Alignment::Right);
    }
}

namespace {
QHash<QString, int> &pageTotals()
{
    static QHash<QString, int> totals;
    return totals;
}
} // namespace

int ReportPageTotal(const QString &kind)
{
    return pageTotals().value(kind, 0);
}

void SetReportPageTotal(const QString &kind, int total)
{
    pageTotals().insert(kind, total);
}

void PrepareAndPreview(report::Report &form)
{
    const int pages = form.prepare();
    SetReportPageTotal(form.objectName(), pages);
    form.preview();
}

void PreviewReport(DataSet *result, const std::function<std::unique_ptr<report::Report>()> &createForm,
                   const QString &noDataText)
{
    if (!result || !result->Active() || result->IsEmpty()) {
        ShowMessageBox(noDataText, mkNotice, 2000);
        return;
    }
    const std::unique_ptr<report::Report> form = createForm();
    result->First();
    PrepareAndPreview(*form);
}

// --- TablePrintForm -------------------------------------------------------------

namespace {
constexpr int PageHeaderHeight = 61;
constexpr int PageFooterHeight = 26;
const QString ReportFamily = QStringLiteral("맑은 고딕");
} // namespace

TablePrintForm::TablePrintForm(const ReportColumnTable &table, TableFormLayout layout,
                               DataSet *result, QObject *parent)
    : report::Report(parent), m_table(table), m_layout(std::move(layout)), m_result(result)
{
    setObjectName(m_layout.kind);
    setOrientation(m_layout.orientation);
    setMargins(QMarginsF(15, 30, 15, 30));
    setDataSet(result);
    report::FontSpec font;
    font.family = ReportFamily;
    font.pixelSize = 12;
    setFont(font);
    const int width = int(bandWidth());

    // Page header: title across the band, issue day and page at the right,
    // the period at the left.
    Band *header = addBand(BandType::PageHeader, PageHeaderHeight, QStringLiteral("bnd_pageheader"));
    Label *title = header->addLabel(QStringLiteral("QRLabel1"), QRect(0, 4, width, 28), m_layout.title,
                                    Alignment::Center);
    title->font().pixelSize = 20;
    title->font().bold = true;
    header->addLabel(QStringLiteral("QRLabel2"), QRect(width - 230, 18, 60, 16),
                     QStringLiteral("발행일:"));
    auto *day = new report::SysData(header, QStringLiteral("QRSysData1"),
                                    QRect(width - 168, 18, 168, 16),
                                    m_layout.issueDateTime ? report::SysData::DateTime
                                                           : report::SysData::Date);
    (void)day;
    Label *page = header->addLabel(QStringLiteral("page"), QRect(width - 230, 38, 230, 16));
    header->addLabel(m_layout.periodLabelName, QRect(0, 38, 500, 16));
    header->setBeforePrint([this, page](Band &, bool &) {
        page->setCaption(QStringLiteral("Page  : ") + QString::number(pageNumber()) + u'/'
                         + QString::number(ReportPageTotal(objectName())));
    });

    // Heading and detail cells, one row after the other, in column order.
    Band *columns = addBand(BandType::ColumnHeader, m_layout.columnHeaderHeight,
                            QStringLiteral("bnd_columnheader"));
    columns->frame().top = columns->frame().bottom = true;
    Band *detail = addBand(BandType::Detail, m_layout.detailHeight, QStringLiteral("bnd_detail"));
    detail->frame().bottom = m_layout.ruleUnderDetail;
    for (int row = 0; row < m_layout.rows; ++row) {
        for (int i = 0; i < m_table.count(); ++i) {
            const int w = m_table.widths[size_t(i)];
            Label *h = columns->addLabel(cellName(u'H', row, i),
                                         QRect(m_table.leftOf(i), m_layout.headingTops[size_t(row)], w, 14));
            h->font().pixelSize = 11;
            Label *d = detail->addLabel(cellName(u'D', row, i),
                                        QRect(m_table.leftOf(i), m_layout.detailTops[size_t(row)], w, 14));
            d->font().pixelSize = 11;
        }
    }

    // Page footer: the store name at the right edge.
    Band *footer = addBand(BandType::PageFooter, PageFooterHeight, QStringLiteral("bnd_pagefooter"));
    footer->frame().top = true;
    Label *store = footer->addLabel(QStringLiteral("PF_NAME"), QRect(width - 400, 6, 400, 16), {},
                                    Alignment::Right);
    footer->setBeforePrint([store](Band &, bool &) { store->setCaption(MyConfig.StoreName); });

    // Every run: the application's printer, then one heading pass per row.
    setBeforePrint([this](report::Report &) {
        setPrinterName(report::ApplicationPrinterName());
        for (int row = 0; row < m_layout.rows; ++row)
            layoutRow(u'H', row, row);
    });
    // Every row: the detail captions from the result's current row, then
    // one detail pass per row.
    detail->setBeforePrint([this](Band &, bool &) {
        if (m_fill && m_result)
            m_fill(*this, *m_result);
        for (int row = 0; row < m_layout.rows; ++row)
            layoutRow(u'D', row, NoHeading);
    });
}

QString TablePrintForm::cellName(QChar letter, int row, int column) const
{
    QString name(letter);
    if (m_layout.rows > 1)
        name += QString::number(row);
    return name + QStringLiteral("%1").arg(column, 2, 10, QLatin1Char('0'));
}

Label *TablePrintForm::cell(QChar letter, int row, int column) const
{
    return label(cellName(letter, row, column));
}

void TablePrintForm::setPeriodText(const QString &text)
{
    if (Label *period = label(m_layout.periodLabelName))
        period->setCaption(text);
}

void TablePrintForm::layoutRow(QChar letter, int row, int headingRow)
{
    LayoutReportColumns(*this, m_table, cellName(letter, row, 0),
                        cellName(letter, row, m_table.count() - 1), headingRow);
}
