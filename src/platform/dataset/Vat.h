#pragma once
// Supply value and VAT of an amount by the partner's or document's tax kind,
// shared by the terminal and the head-office server. Integer arithmetic on the
// fixed-point amount only: no floating-point number ever holds an amount here.

#include "platform/dataset/Currency.h"

#include <QString>

// The tax kind of a partner or document (ABTXGU, PHTXGU ...): "1" VAT
// included in the amount, "2" VAT on top of the amount, "3" VAT-exempt; any
// other code is "other".
enum class TaxKind { Included = 1, Separate = 2, Exempt = 3, Other = 0 };

TaxKind TaxKindOf(const QString &code); // "1" -> Included, "2" -> Separate, "3" -> Exempt, else Other
QString TaxKindName(TaxKind kind);       // 포함, 별도, 면세, 기타

struct VatSplit {
    qint64 supply = 0; // supply value in whole won
    qint64 vat = 0;    // VAT in whole won
    friend bool operator==(const VatSplit &, const VatSplit &) = default;
};

// Splits a total T:
//   Included: supply = T / 1.1 truncated toward zero (exactly: T's
//             ten-thousandths / 11000), VAT = Trunc(T) - supply
//             (11000 -> 10000 / 1000, 33 -> 30 / 3, 10.9999 -> 9 / 1);
//   Separate: supply = Trunc(T), VAT = T / 10 truncated (10000 -> 10000 / 1000);
//   Exempt and Other: supply = Trunc(T), VAT = 0.
// Negative totals split the same way with both parts negative.
VatSplit SplitVat(Currency total, TaxKind kind);
VatSplit SplitVat(Currency total, const QString &kindCode);
