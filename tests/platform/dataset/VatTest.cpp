#include "platform/dataset/Vat.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitVat, SupplyAndVatByTaxKindOnExactAmounts)
{
    const struct {
        Currency total;
        const char *kind;
        qint64 supply, vat;
    } cases[] = {
        {Currency(11000), "1", 10000, 1000},
        {Currency(10), "1", 9, 1},
        {Currency(33), "1", 30, 3},      // 33 / 1.1 is exactly 30: no floating-point 29
        {Currency(10000), "1", 9090, 910},
        {Currency(10000), "2", 10000, 1000},
        {Currency(10000), "3", 10000, 0},
        {Currency(10000), "", 10000, 0}, // unknown kind: no VAT
        {Currency(10000), "9", 10000, 0},
        {Currency(-11000), "1", -10000, -1000},
        {Currency::fromRaw(109999), "1", 9, 1}, // 10.9999: supply from the exact value, VAT from Trunc
        {Currency::fromRaw(109999), "2", 10, 1},
        {Currency(-15), "2", -15, -1},
        {Currency(0), "1", 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.total.toString().toStdString() + " kind " + c.kind);
        const VatSplit s = SplitVat(c.total, QString::fromLatin1(c.kind));
        EXPECT_EQ(s.supply, c.supply);
        EXPECT_EQ(s.vat, c.vat);
    }
}

TEST(SplitVat, TaxKindCodesAndNames)
{
    EXPECT_EQ(TaxKindOf(QStringLiteral("1")), TaxKind::Included);
    EXPECT_EQ(TaxKindOf(QStringLiteral("2")), TaxKind::Separate);
    EXPECT_EQ(TaxKindOf(QStringLiteral("3")), TaxKind::Exempt);
    EXPECT_EQ(TaxKindOf(QStringLiteral(" 1")), TaxKind::Other);
    EXPECT_EQ(TaxKindName(TaxKind::Included), QStringLiteral("포함"));
    EXPECT_EQ(TaxKindName(TaxKind::Separate), QStringLiteral("별도"));
    EXPECT_EQ(TaxKindName(TaxKind::Exempt), QStringLiteral("면세"));
    EXPECT_EQ(TaxKindName(TaxKind::Other), QStringLiteral("기타"));
}

} // namespace
