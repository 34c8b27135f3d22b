#pragma once
// The money of one purchase-order line: the line amount is the quantity,
// taken to four decimals, times the unit price in fixed-point arithmetic;
// the order sends it truncated to won with its supply value and VAT split as
// an amount that includes VAT:
//   1 x 11000 -> 11000 / 10000 / 1000;  1 x 10 -> 10 / 9 / 1;  0.5 x 21 -> 10 / 9 / 1.

#include "platform/dataset/Currency.h"

struct OrderLineAmounts {
    Currency amount;  // ADAMT, kept on the line
    qint64 total = 0; // A_PDAMT = Trunc(amount)
    qint64 supply = 0; // A_pdgamt
    qint64 vat = 0;    // A_pdtax = total - supply
};

OrderLineAmounts OrderLineAmount(double quantity, qint64 unitPrice);
