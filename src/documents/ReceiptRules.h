#pragma once
// The arithmetic and text rules of the warehouse receipt, free of widgets.

#include "platform/dataset/Currency.h"

#include <QList>
#include <QString>

#include <optional>

// The three amounts of a receipt line of amount A by the receipt's tax kind:
//   "1" (VAT included): amount Trunc(A), supply Trunc(A / 1.1), VAT the rest;
//   "2" (VAT on top):   amount Trunc(A) + Trunc(A / 10), supply Trunc(A),
//                       VAT Trunc(A / 10);
//   "3" and any other:  amount and supply Trunc(A), VAT 0.
struct ReceiptLineAmounts {
    qint64 amount = 0;
    qint64 supply = 0;
    qint64 vat = 0;
    friend bool operator==(const ReceiptLineAmounts &, const ReceiptLineAmounts &) = default;
};
ReceiptLineAmounts LineAmounts(Currency amount, const QString &taxKind);

// A line's shipped and received quantities.
struct ReceivedQuantity {
    double shipped = 0;
    double received = 0;
};
// The receipt's completion flag: "2" when every line received exactly what
// was shipped (compared to four decimals), else "1".
QString CompletionFlag(const QList<ReceivedQuantity> &lines);

// The number a history row shows: the receipt number text "yyyymm-nnnnn" and
// the day "dd" give "yymmdd-nnnnn".
QString HistoryNumber(const QString &numberText, const QString &day);
// Receipts numbered 80001 and above are not listed in the history.
bool HistoryListsReceipt(qint64 number);
// The history's check column: "완" for a complete receipt (flag "2"), else "미".
QString HistoryCheck(const QString &completionFlag);

// What an order's tax kind sets on the receipt: the tax kind code, the kind
// code and the tax combo's text; none for an unknown kind.
struct ReceiptTaxKind {
    QString code;
    QString kindCode;
    QString comboText;
};
std::optional<ReceiptTaxKind> TaxKindOfOrder(const QString &orderTaxKind);
