#include "documents/ReceiptRules.h"

#include "platform/dataset/Vat.h"

#include <cmath>

ReceiptLineAmounts LineAmounts(Currency amount, const QString &taxKind)
{
    const qint64 whole = amount.Trunc();
    switch (TaxKindOf(taxKind)) {
    case TaxKind::Included: {
        const VatSplit split = SplitVat(amount, TaxKind::Included);
        return {whole, split.supply, split.vat};
    }
    case TaxKind::Separate: {
        const VatSplit split = SplitVat(amount, TaxKind::Separate);
        return {split.supply + split.vat, split.supply, split.vat};
    }
    default:
        return {whole, whole, 0};
    }
}

QString CompletionFlag(const QList<ReceivedQuantity> &lines)
{
    for (const ReceivedQuantity &line : lines)
        if (std::llround(line.shipped * 10000) != std::llround(line.received * 10000))
            return QStringLiteral("1");
    return QStringLiteral("2");
}

QString HistoryNumber(const QString &numberText, const QString &day)
{
    return numberText.mid(2, 4) + day + QLatin1Char('-') + numberText.mid(7);
}

bool HistoryListsReceipt(qint64 number) { return number < 80001; }

QString HistoryCheck(const QString &completionFlag)
{
    return completionFlag == QLatin1String("2") ? QStringLiteral("완") : QStringLiteral("미");
}

std::optional<ReceiptTaxKind> TaxKindOfOrder(const QString &orderTaxKind)
{
    if (orderTaxKind == QLatin1String("1"))
        return ReceiptTaxKind{QStringLiteral("1"), QStringLiteral("001"), QStringLiteral("포함")};
    if (orderTaxKind == QLatin1String("2"))
        return ReceiptTaxKind{QStringLiteral("2"), QStringLiteral("001"), QStringLiteral("별도")};
    if (orderTaxKind == QLatin1String("3"))
        return ReceiptTaxKind{QStringLiteral("3"), QStringLiteral("003"), QStringLiteral("면세")};
    return std::nullopt;
}
