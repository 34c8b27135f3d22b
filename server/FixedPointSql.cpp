#include "FixedPointSql.h"

#include "platform/dataset/Currency.h"

#include <sqlite3.h>

#include <cmath>

namespace hq {

namespace {

// A double as Currency, as Currency::fromDouble rounds it (to the nearest
// ten-thousandth of the decimal the double stands for). Away from a half
// ten-thousandth the scaled double rounds the same way, without the decimal
// text fromDouble goes through; near one, fromDouble decides.
Currency fromDouble(double value)
{
    const double scaled = value * 10000.0;
    if (std::fabs(scaled) < 1e12) {
        const double fraction = std::fabs(scaled - std::trunc(scaled));
        if (std::fabs(fraction - 0.5) > 1e-3)
            return Currency::fromRaw(std::llround(scaled));
    }
    return Currency::fromDouble(value);
}

// A stored value as Currency: whole numbers exactly, others from their double.
Currency currencyOf(sqlite3_value *v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return Currency(qint64(sqlite3_value_int64(v)));
    case SQLITE_NULL:
        return Currency();
    default:
        return fromDouble(sqlite3_value_double(v));
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
