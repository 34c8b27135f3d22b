#pragma once
// Thousands separators for the number texts the terminal shows and prints
// (display formats, amounts on slips and buttons, A4 number formats).

#include <QString>
#include <QtGlobal>

// digits (digits only, no sign) with "," between every group of three from
// the right: "1234567" -> "1,234,567".
QString GroupThousands(QString digits);

// A whole number with thousands separators: -1500 -> "-1,500".
QString FormatWholeNumber(qint64 value);
