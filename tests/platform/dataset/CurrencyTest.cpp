#include "platform/dataset/Currency.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(Currency, ParsesPlainDecimalTexts)
{
    struct Case { const char *text; qint64 raw; };
    const Case cases[] = {
        {"1234.5", 12345000}, {"-0.25", -2500}, {"+7", 70000}, {".5", 5000}, {" 12 ", 120000},
        {"0", 0}, {"0.0001", 1}, {"0.00005", 1}, {"-0.00005", -1}, {"1.23454", 12345},
        {"1.23456", 12346}, {"922337203685477.5807", std::numeric_limits<qint64>::max()},
    };
    for (const Case &c : cases) {
        bool ok = false;
        Currency v = Currency::fromString(QString::fromUtf8(c.text), &ok);
        EXPECT_TRUE(ok) << c.text;
        EXPECT_EQ(v.raw(), c.raw) << c.text;
    }
}

TEST(Currency, RejectsWhatIsNotAPlainDecimal)
{
    for (const char *text : {"", " ", "abc", "1,234", "1e3", "1.2.3", "-", ".", "12a", "922337203685478", "--1"}) {
        bool ok = true;
        Currency v = Currency::fromString(QString::fromUtf8(text), &ok);
        EXPECT_FALSE(ok) << text;
        EXPECT_EQ(v.raw(), 0) << text;
    }
}

TEST(Currency, PrintsShortestExactText)
{
    EXPECT_EQ(Currency::fromRaw(12345000).toString(), "1234.5");
    EXPECT_EQ(Currency(-3).toString(), "-3");
    EXPECT_EQ(Currency::fromRaw(1).toString(), "0.0001");
    EXPECT_EQ(Currency::fromRaw(-1).toString(), "-0.0001");
    EXPECT_EQ(Currency().toString(), "0");
    EXPECT_EQ(Currency::fromRaw(std::numeric_limits<qint64>::min()).toString(), "-922337203685477.5808");
}

TEST(Currency, TruncAndRoundToWholeUnits)
{
    struct Case { const char *text; qint64 trunc, round; };
    const Case cases[] = {
        {"1.9", 1, 2}, {"-1.9", -1, -2}, {"2.5", 2, 3}, {"-2.5", -2, -3}, {"2.4999", 2, 2}, {"0.0001", 0, 0},
    };
    for (const Case &c : cases) {
        Currency v = Currency::fromString(QString::fromUtf8(c.text));
        EXPECT_EQ(v.Trunc(), c.trunc) << c.text;
        EXPECT_EQ(v.Round(), c.round) << c.text;
    }
}

TEST(Currency, ArithmeticIsExactAndRoundsHalvesAwayFromZero)
{
    const Currency tenth = Currency::fromString(u"0.1");
    EXPECT_EQ(tenth + tenth + tenth, Currency::fromString(u"0.3"));
    EXPECT_EQ(Currency(1) - Currency::fromString(u"0.9"), tenth);
    EXPECT_EQ(Currency::fromString(u"1.5") * Currency::fromString(u"2.25"), Currency::fromString(u"3.375"));
    EXPECT_EQ(Currency::fromRaw(1) * Currency::fromString(u"0.5"), Currency::fromRaw(1));   // 0.00005 -> 0.0001
    EXPECT_EQ(Currency::fromRaw(-1) * Currency::fromString(u"0.5"), Currency::fromRaw(-1));
    EXPECT_EQ(Currency(1) / Currency(3), Currency::fromString(u"0.3333"));
    EXPECT_EQ(Currency(2) / Currency(3), Currency::fromString(u"0.6667"));
    EXPECT_EQ(Currency(10) / 4, Currency::fromString(u"2.5"));
    EXPECT_EQ(Currency(3) * 1.1, Currency::fromString(u"3.3"));
    EXPECT_EQ(Currency::fromString(u"1234.5") * 3, Currency::fromString(u"3703.5"));
    EXPECT_EQ(-Currency(5), Currency(-5));
    EXPECT_LT(Currency(-1), Currency::fromRaw(1));
}

TEST(Currency, DoublesRoundToTheNearestTenThousandth)
{
    EXPECT_EQ(Currency::fromDouble(2.00005).raw(), 20001);   // binary 2.0000499999...
    EXPECT_EQ(Currency::fromDouble(-2.00005).raw(), -20001);
    EXPECT_EQ(Currency::fromDouble(1234.56789).raw(), 12345679);
    EXPECT_EQ(Currency::fromDouble(0.1).raw(), 1000);
    EXPECT_EQ(Currency::fromDouble(1e14).raw(), qint64(1e14) * 10000);
    EXPECT_THROW(Currency::fromDouble(1e15), CurrencyError);
    EXPECT_DOUBLE_EQ(Currency::fromRaw(12345).toDouble(), 1.2345);
}

TEST(Currency, OverflowDivisionByZeroAndNaNThrow)
{
    const Currency max = Currency::fromRaw(std::numeric_limits<qint64>::max());
    EXPECT_THROW(max + Currency::fromRaw(1), CurrencyError);
    EXPECT_THROW(-Currency::fromRaw(std::numeric_limits<qint64>::min()), CurrencyError);
    EXPECT_THROW(max * 2, CurrencyError);
    EXPECT_THROW(Currency(1) / Currency(), CurrencyError);
    EXPECT_THROW(Currency(1) / 0, CurrencyError);
    EXPECT_THROW(Currency(1) / 0.0, CurrencyError);
    EXPECT_THROW(Currency::fromDouble(std::numeric_limits<double>::quiet_NaN()), CurrencyError);
    EXPECT_THROW(Currency::fromDouble(1e300), CurrencyError);
}

} // namespace
