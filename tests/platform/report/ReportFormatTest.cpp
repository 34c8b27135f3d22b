#include "platform/report/ReportFormat.h"

#include <gtest/gtest.h>

using report::FormatNumber;

namespace {

struct Case
{
    const char *pattern;
    double value;
    const char *expected;
};

TEST(ReportFormat, NumberPatterns)
{
    const Case cases[] = {
        {"%10.2n", 1234.5, "  1,234.50"},
        {"%10.2n", -1234.5, " -1,234.50"},
        {"%10.0n", 1234.5, "     1,235"},   // halves away from zero
        {"%10.0n", -2.5, "        -3"},
        {"%10.0n", 0.0, "         0"},
        {"%10.0n", -0.4, "         0"},    // no "-0"
        {"%10.2n", -0.001, "      0.00"},
        {"%13.0n", 1234567890.0, "1,234,567,890"},
        {"%13.0n", 999999.5, "    1,000,000"},
        {"%13.1n", 12.0, "         12.0"},
        {"%3.1n", 1234.5, "1,234.5"},       // wider than w: never cut
        {"%3.1n", 7.25, "7.3"},
        {"%5.1n", 0.05, "  0.1"},
        {"%10.2n", 1.005, "      1.01"},    // as typed, not its binary neighbour
        {"%9.1n", 999.95, "  1,000.0"},
        {"%n", 1234.5, "1,234.50"},         // two decimals by default
        {"%.0n", 100.0, "100"},
        {"%6.3n", 0.0005, " 0.001"},
        {"%20.0n", 1e15, "1,000,000,000,000,000"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FormatNumber(QString::fromLatin1(c.pattern), c.value).toStdString(), c.expected)
            << c.pattern << " of " << c.value;
}

TEST(ReportFormat, CurrencyIsExact)
{
    EXPECT_EQ(FormatNumber(u"%10.2n", Currency::fromRaw(12345000)), "  1,234.50");
    EXPECT_EQ(FormatNumber(u"%10.0n", Currency::fromRaw(-25000)), "        -3");
    EXPECT_EQ(FormatNumber(u"%15.0n", Currency::fromRaw(-4999)), "              0");
    EXPECT_EQ(FormatNumber(u"%8.6n", Currency::fromRaw(1)), "0.000100");
    // Digits beyond a double's precision survive.
    EXPECT_EQ(FormatNumber(u"%1.4n", Currency::fromRaw(922337203685477580LL)),
              "92,233,720,368,547.7580");
    EXPECT_EQ(FormatNumber(u"%1.0n", Currency::fromRaw(std::numeric_limits<qint64>::min())),
              "-922,337,203,685,478");
}

TEST(ReportFormat, BadPatternsThrow)
{
    for (const char *bad : {"", "10.2n", "%10.2f", "%10.2", "%10.2nx", "%-5n", "%1234n", "%.n"})
        EXPECT_THROW(FormatNumber(QString::fromLatin1(bad), 1.0), report::FormatError) << bad;
}

} // namespace
