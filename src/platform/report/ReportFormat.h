#pragma once
// Number formatting of the A4 prints: printf-style patterns of the "n" kind,
// "%w.dn": thousands separators, d decimals (2 when ".d" is left out),
// padded with blanks on the left to at least w characters and never cut.
// Halves round away from zero; a value that rounds to zero has no sign.

#include "platform/dataset/Currency.h"

#include <QString>
#include <QStringView>
#include <stdexcept>

namespace report {

class FormatError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// "%10.2n" of 1234.5 -> "  1,234.50"; "%3.1n" of 1234.5 -> "1,234.5".
// Throws FormatError when the pattern is not "%[w][.d]n".
QString FormatNumber(QStringView pattern, double value);
// The same for a fixed-point amount, computed exactly on its digits.
QString FormatNumber(QStringView pattern, Currency value);

} // namespace report
