#pragma once
// Stock on hand from the movement view V_STOCKMOVE (opening balances,
// receipts, production and the ingredients it used, releases; quantities in
// the item's base unit): an item's stock on a day is its latest opening
// balance on or before that day plus every movement from the balance's day up
// to and including that day (every movement up to the day when the item has
// no opening balance). Production losses (PLOSS) are listed in the view but
// never were stock, so they are left out.

#include <QString>
#include <QtGlobal>

namespace hq {

// SQL of a common table expression named `name`(itnb, qty): the stock of every
// item of one store on one day. The three arguments are SQL expressions
// (parameters such as "?1", columns, or "strftime('%Y%m%d', 'now', 'localtime')").
// Use inside "WITH " + stockOnDayCte(...) + " SELECT ...".
QString stockOnDayCte(const QString &name, const QString &company, const QString &store, const QString &day);

// A quantity as the terminal shows stock, "#,##0.##": 100000 -> "100,000",
// 1234.5 -> "1,234.5", -0.004 -> "0".
QString stockText(double quantity);

} // namespace hq
