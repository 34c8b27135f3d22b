#include "inquiries/LedgerPrintForm.h"

#include "platform/report/ReportItems.h"

namespace {

ReportColumnTable tableOf(const std::vector<LedgerPrintColumn> &columns)
{
    ReportColumnTable table;
    for (const LedgerPrintColumn &c : columns) {
        table.widths.push_back(c.width);
        table.heading1 << QString::fromUtf8(c.heading);
    }
    table.textColumns = {0, 1, 2, 3, 5, 6};
    return table;
}

TableFormLayout layoutOf(const QString &kind, const QString &title)
{
    TableFormLayout layout;
    layout.kind = kind;
    layout.title = title;
    layout.orientation = QPageLayout::Landscape;
    return layout;
}

} // namespace

TLedgerPrintForm::TLedgerPrintForm(const QString &kind, const QString &title,
                                   const std::vector<LedgerPrintColumn> &columns, DataSet *result,
                                   const QDate &from, const QDate &to, QObject *parent)
    : TablePrintForm(tableOf(columns), layoutOf(kind, title), result, parent)
{
    setPeriodText(PeriodText(from, to));
    setFillDetail([columns](TablePrintForm &form, DataSet &row) {
        for (int i = 0; i < int(columns.size()); ++i)
            form.cell(u'D', 0, i)->setCaption(
                report::FieldText(row, QLatin1String(columns[size_t(i)].field), QLatin1String(columns[size_t(i)].format)));
    });
}

QString TLedgerPrintForm::PeriodText(const QDate &from, const QDate &to)
{
    return QStringLiteral("기간 : ") + from.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" ~ ")
           + to.toString(QStringLiteral("yyyy-MM-dd"));
}
