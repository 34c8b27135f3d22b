#pragma once
// The A4 ledger prints (landscape): one detail row per row of the ledger
// given, in its order, each column a field of the row with its number format;
// columns 0-3, 5 and 6 left-aligned, the others right-aligned. The page
// header carries "기간 : " with the period as "yyyy-mm-dd", the footer the
// store name (TablePrintForm).

#include "production/ReportColumns.h"

#include <QDate>

#include <vector>

struct LedgerPrintColumn {
    const char *heading; // UTF-8
    int width;
    const char *field;
    const char *format;  // "%7.1n"; empty for texts
};

class TLedgerPrintForm : public TablePrintForm
{
    Q_OBJECT
public:
    // kind: the form's class name (its page total); result: the rows to print.
    TLedgerPrintForm(const QString &kind, const QString &title, const std::vector<LedgerPrintColumn> &columns,
                     DataSet *result, const QDate &from, const QDate &to, QObject *parent = nullptr);

    // "기간 : 2024-05-01 ~ 2024-05-31"
    static QString PeriodText(const QDate &from, const QDate &to);
};
