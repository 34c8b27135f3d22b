#pragma once
// The item-name bounds of the searches that take a lower and an upper name
// (`a_st_han`, `a_ed_han`): names are compared by code point, so the
// terminal's "everything" upper bound "zzzzzzzzzz" would shut out every
// Hangul name; it and an empty upper bound mean no upper bound, and an empty
// lower bound no lower bound. Otherwise lower <= name < upper, except for the
// three name-index keys whose bounds are not in order:
//   ("하", "a")  names from "하" up to the last Hangul syllable (U+D7A3),
//   ("a", "z")   names beginning with a Latin letter of either case,
//   ("0", "9")   names beginning with a digit.

#include <QString>

namespace hq {

// An SQL condition on `column` for the bounds held by the SQL expressions
// `lower` and `upper` (parameters such as "?5").
QString nameBoundsSql(const QString &column, const QString &lower, const QString &upper);

} // namespace hq
