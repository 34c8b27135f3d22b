#pragma once
// Stock on hand of several stores side by side. Each store's figures come
// from the one-store rule of StockView.h (stockOnDayCte), run for the stores
// one after another on one prepared statement, so the rule of what a store
// holds on a day is written once, there.

#include <QHash>
#include <QString>
#include <QStringList>

namespace SQLite {
class Database;
}

namespace hq {

// Stock by store code, then by item code, in the item's base unit. An item
// without movements at a store has no entry under it.
using StockByStore = QHash<QString, QHash<QString, double>>;

// The stock of every item of `stores` of `company` on `day` ("yyyymmdd").
StockByStore stockOfStoresOnDay(SQLite::Database &db, const QString &company, const QStringList &stores,
                                const QString &day);

} // namespace hq
