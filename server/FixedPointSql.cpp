#include "FixedPointSql.h"

#include "platform/dataset/Currency.h"

#include <sqlite3.h>

namespace hq {

namespace {

// A stored value as Currency: whole numbers exactly, others from their double.
Currency currencyOf(sqlite3_value *v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return Currency(qint64(sqlite3_value_int64(v)));
    case SQLITE_NULL:
        return Currency();
    default:
        return Currency::fromDouble(sqlite3_value_double(v));
    }
}

template <typename Compute>
void answer(sqlite3_context *context, Compute &&compute)
{
    try {
        sqlite3_result_int64(context, compute());
    } catch (const std::exception &e) {
        sqlite3_result_error(context, e.what(), -1);
    }
}

void fixedAmount(sqlite3_context *context, int, sqlite3_value **args)
{
    answer(context, [args] { return (currencyOf(args[0]) * currencyOf(args[1])).Trunc(); });
}

void fixedTrunc(sqlite3_context *context, int, sqlite3_value **args)
{
    answer(context, [args] { return currencyOf(args[0]).Trunc(); });
}

void fixedUnit(sqlite3_context *context, int, sqlite3_value **args)
{
    answer(context, [args] {
        const Currency qty = currencyOf(args[1]);
        return qty.isZero() ? qint64(0) : (currencyOf(args[0]) / qty).Trunc();
    });
}

} // namespace

void registerFixedPointFunctions(SQLite::Database &db)
{
    db.createFunction("fixed_amount", 2, true, nullptr, fixedAmount);
    db.createFunction("fixed_trunc", 1, true, nullptr, fixedTrunc);
    db.createFunction("fixed_unit", 2, true, nullptr, fixedUnit);
}

} // namespace hq
