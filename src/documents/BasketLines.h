#pragma once
// Replacing the lines of an entry screen's basket (vtb_STOCK) with the lines
// of a document a picker hands over. A picker reads every line first and
// replaces the basket only then, so a failed read never leaves it half
// replaced.

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

#include <functional>

class DataSet;

// One basket line to write: field name and value, set in this order.
using BasketLine = QList<QPair<QString, QVariant>>;

// Empties the basket, then appends and posts each line in order (the
// basket's own before- and after-post steps run), with its controls
// disabled meanwhile. Every field the lines name must exist in the basket:
// a missing one throws before anything changes.
void ReplaceBasketLines(DataSet &basket, const QList<BasketLine> &lines);

// A picker's hand-over: `read` reads the document's lines and returns them
// as basket lines; then the basket is replaced with them. When `read`
// throws, `logText` is logged (followed by the error's text when
// logWithError) and the error box shows the error; when it returns no line,
// "수정할 내역이 없습니다." is shown (a notice of 2 s). Either way the basket
// stays as it was. True when the basket was replaced.
bool HandOverLines(DataSet &basket, const std::function<QList<BasketLine>()> &read, const QString &logText,
                   bool logWithError);
