#include "StoresStock.h"

#include "Sql.h"
#include "StockView.h"

namespace hq {

StockByStore stockOfStoresOnDay(SQLite::Database &db, const QString &company, const QStringList &stores,
                                const QString &day)
{
    static const std::string sql =
        u8(QStringLiteral("WITH ") + stockOnDayCte(QStringLiteral("stock"), QStringLiteral("?1"), QStringLiteral("?2"),
                                                   QStringLiteral("?3"))
           + QStringLiteral(" SELECT itnb, qty FROM stock"));
    StockByStore out;
    Prepared st(db, sql);
    for (const QString &store : stores) {
        st->reset();
        st->clearBindings();
        bindText(*st, 1, company);
        bindText(*st, 2, store);
        bindText(*st, 3, day);
        QHash<QString, double> &items = out[store];
        while (st->executeStep())
            items.insert(QString::fromUtf8(st->getColumn(0).getText()), st->getColumn(1).getDouble());
    }
    return out;
}

} // namespace hq
