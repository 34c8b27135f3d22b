#include "platform/dataset/Vat.h"

TaxKind TaxKindOf(const QString &code)
{
    if (code == QLatin1String("1"))
        return TaxKind::Included;
    if (code == QLatin1String("2"))
        return TaxKind::Separate;
    if (code == QLatin1String("3"))
        return TaxKind::Exempt;
    return TaxKind::Other;
}

QString TaxKindName(TaxKind kind)
{
    switch (kind) {
    case TaxKind::Included: return QStringLiteral("포함");
    case TaxKind::Separate: return QStringLiteral("별도");
    case TaxKind::Exempt: return QStringLiteral("면세");
    case TaxKind::Other: break;
    }
    return QStringLiteral("기타");
}

VatSplit SplitVat(Currency total, TaxKind kind)
{
    // C++ integer division truncates toward zero, as the rule wants.
    switch (kind) {
    case TaxKind::Included: {
        const qint64 supply = total.raw() / 11000;
        return {supply, total.Trunc() - supply};
    }
    case TaxKind::Separate: return {total.Trunc(), total.raw() / 100000};
    case TaxKind::Exempt:
    case TaxKind::Other: break;
    }
    return {total.Trunc(), 0};
}

VatSplit SplitVat(Currency total, const QString &kindCode)
{
    return SplitVat(total, TaxKindOf(kindCode));
}
