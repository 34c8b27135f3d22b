#pragma once
// The 42-column slips of the document history, built as lines for the
// receipt printer's thread (title in double height, rules of "=" and "-").
//
// A document slip lists the lines of the touched document as its page's line
// data set holds them (only those passing the page's type filter): four
// header lines read from the data set's current line, the time line, then
// by the slip layout (TMyConfig.PrintStockPrice):
//   '0'  heading, and per line name 22 | quantity 6 | unit 3 | last column 11
//   '1'  the same and the total line
//   '2'  heading with amounts, per line name 13 | quantity 8 | unit 3 |
//        amount 9 | last column 9, and the total line
//   else no heading and no lines.
// The last column is the line's status word (orders placed, received orders)
// or the number of the order it refers to (receipts, releases).
//
// Numbers are never cut: a quantity, amount or document number wider than
// its column is printed whole and the line's name gives up the bytes, so the
// line stays 42 bytes (SlipRow); units stay whole the same way. Names and
// status words are cut to their columns, never inside a Hangul syllable.
// The total line is "총 금 액: " + the total, padded to 21 bytes when it fits
// and whole when it does not.
//
// The production slip lists the production figures (name 14 | base unit 3 |
// total 10 | loss 8 | made 7, whole numbers) under its own heading; it has
// one layout.
//
// The builders throw when the data set is closed (nothing touched or
// searched yet): the caller logs and prints nothing.

#include "platform/dataset/Currency.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>

class DataSet;

struct DocumentSlipFields {
    const char *title;                                 // "[발주 내역]"
    std::array<std::pair<const char *, const char *>, 4> header; // label, field of the current line
    const char *timeLabel;                             // " 발주 내역 출력 시각: "
    const char *quantity, *unit, *amount, *last;       // line fields; the name is IMNAME
    bool lastIsNumber;                                 // the last column holds a document number
};

// The slip fields of the document pages in the history's page order:
// orders placed, receipts, releases, received orders.
const DocumentSlipFields &DocumentSlipFieldsOf(int page);

// One item line of a document slip under layout '0'/'1' or '2'.
QString DocumentSlipLine(QChar layout, const QString &name, double quantity, const QString &unit, Currency amount,
                         const QString &last, bool lastIsNumber);
// "총 금 액: " + total, padded to 21 bytes when it fits.
QString SlipTotalLine(const QString &total);

QStringList DocumentSlip(const DocumentSlipFields &fields, const DataSet &lines, const QString &total, QChar layout,
                         const QDateTime &now);

// One line of the production slip.
QString ProductionSlipLine(const QString &name, const QString &unit, double total, double loss, double made);
QStringList ProductionSlip(const DataSet &figures, const QDateTime &now);
