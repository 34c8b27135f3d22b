#pragma once
// SQL functions that do money arithmetic the way the terminal and the
// document inserts do it, on the fixed-point Currency (four decimals), so a
// report's amounts equal what an insert would have stored: 2.3 x 3,500 is
// 8,050, not the 8,049 a plain double product truncates to.
//   fixed_amount(qty, price)  Trunc(Currency::fromDouble(qty) x price)
//   fixed_trunc(value)        Trunc(Currency::fromDouble(value))
//   fixed_unit(amount, qty)   Trunc(amount / Currency::fromDouble(qty)), 0 when qty is 0
// NULL arguments count as 0. A value beyond the Currency range is an SQL error.

#include <SQLiteCpp/Database.h>

namespace hq {

// Registers the functions on one store connection.
void registerFixedPointFunctions(SQLite::Database &db);

} // namespace hq
