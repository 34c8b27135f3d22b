#pragma once
// Stock on hand from the movement view V_STOCKMOVE (opening balances,
// receipts, production and the ingredients it used, releases; quantities in
// the item's base unit). An opening balance is the item's stock at the start
// of its own day and of every earlier day: movements dated before it are
// ignored. So an item's stock on a day is
//   - its latest opening balance on or before that day plus every movement
//     from the balance's day up to and including that day;
//   - before its first opening balance, that balance;
//   - with no opening balance at all, every movement up to the day.
// Production losses (PLOSS) are listed in the view but never were stock, so
// stock on hand leaves them out.

#include <QString>
#include <QtGlobal>

namespace hq {

// SQL of a common table expression named `name`(itnb, qty): the stock of every
// item of one store on one day. The three arguments are SQL expressions
// (parameters such as "?1", columns, or "strftime('%Y%m%d', 'now', 'localtime')").
// Use inside "WITH " + stockOnDayCte(...) + " SELECT ...". It also defines a
// helper expression named `name`_open.
QString stockOnDayCte(const QString &name, const QString &company, const QString &store, const QString &day);

// SQL of a common table expression named `name`(itnb, kind, qty): the
// movements of every item of one store dated from `from` to `to` (SQL
// expressions of "yyyymmdd" days) that the stock on `to` counts, summed per
// item and kind, production losses (PLOSS) included and opening balances
// left out. For an item with at most one opening balance, the stock on
// from - 1 plus these movements (without PLOSS) is the stock on `to`; a
// later balance of an item with several replaces what came before it. It
// also defines `name`_open.
QString stockMovesCte(const QString &name, const QString &company, const QString &store, const QString &from,
                      const QString &to);

// A quantity as the terminal shows stock, "#,##0.##": 100000 -> "100,000",
// 1234.5 -> "1,234.5", -0.004 -> "0".
QString stockText(double quantity);

} // namespace hq
