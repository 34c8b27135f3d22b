#include "documents/OrderLineAmount.h"

#include "platform/dataset/Vat.h"

OrderLineAmounts OrderLineAmount(double quantity, qint64 unitPrice)
{
    OrderLineAmounts a;
    a.amount = Currency::fromDouble(quantity) * unitPrice;
    a.total = a.amount.Trunc();
    const VatSplit split = SplitVat(a.amount, TaxKind::Included);
    a.supply = split.supply;
    a.vat = split.vat;
    return a;
}
