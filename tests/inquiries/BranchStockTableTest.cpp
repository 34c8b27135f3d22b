// The branch stock pivot on hand-made answers: columns by branch name in the
// order the answer first names them, each quantity under its own branch, the
// total always under 합계, and answers that are empty or incomplete.

#include "inquiries/BranchStock.h"

#include <gtest/gtest.h>

namespace {

// A quantity cell ("%7.0n") and a total cell ("%10.0n") of a whole number
// below a thousand.
QString q(int n)
{
    return QString::number(n).rightJustified(7);
}
QString t(int n)
{
    return QString::number(n).rightJustified(10);
}

QStringList heading(const QStringList &branches)
{
    return QStringList{"품명", "단위"} + branches + QStringList{"합계"};
}

TEST(BranchStockTable, EachQuantityStandsUnderItsBranchAndTheTotalUnder합계)
{
    const struct {
        const char *what;
        QList<BranchStockLine> lines;
        QList<QStringList> table;
    } cases[] = {
        {"equal branch lists",
         {{"우유식빵", "EA", "2", "본점^지점", "3^4"}, {"단팥빵", "EA", "2", "본점^지점", "10^2.6"}},
         {heading({"본점", "지점"}), {"우유식빵", "EA", q(3), q(4), t(7)}, {"단팥빵", "EA", q(10), q(3), t(13)}}},
        {"a row naming fewer branches",
         {{"우유식빵", "EA", "3", "가^나^다", "1^2^3"}, {"단팥빵", "EA", "2", "가^다", "4^5"}},
         {heading({"가", "나", "다"}), {"우유식빵", "EA", q(1), q(2), q(3), t(6)},
          {"단팥빵", "EA", q(4), q(0), q(5), t(9)}}},
        {"a row with no branch",
         {{"우유식빵", "EA", "1", "가", "8"}, {"고구마케이크", "EA", "0", "", ""}},
         {heading({"가"}), {"우유식빵", "EA", q(8), t(8)}, {"고구마케이크", "EA", q(0), t(0)}}},
        {"empty pieces and an empty count",
         {{"우유식빵", "EA", "2", "가^나", "^2"}, {"단팥빵", "EA", "", "", ""}},
         {heading({"가", "나"}), {"우유식빵", "EA", q(0), q(2), t(2)}, {"단팥빵", "EA", q(0), q(0), t(0)}}},
        {"a later row adding a branch",
         {{"우유식빵", "EA", "1", "가", "1"}, {"단팥빵", "EA", "2", "가^라", "2^-7"}},
         {heading({"가", "라"}), {"우유식빵", "EA", q(1), q(0), t(1)}, {"단팥빵", "EA", q(2), q(-7), t(-5)}}},
        {"no rows", {}, {heading({})}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(BranchStockTable(c.lines), c.table);
    }
}

// Fractions round half away from zero, a negative figure that rounds to 0
// shows no sign, thousands are grouped; the total is the sum before rounding.
TEST(BranchStockTable, FiguresAreRoundedOnlyForShow)
{
    const QList<QStringList> table =
        BranchStockTable({{"식빵반죽", "G", "4", "가^나^다^라", "0.7^0.1^-0.3^20000"}});
    ASSERT_EQ(table.size(), 2);
    EXPECT_EQ(table[1], (QStringList{"식빵반죽", "G", "      1", "      0", "      0", " 20,000", "    20,001"}));
}

TEST(BranchStockTable, AFigureThatIsNoNumberIsAnError)
{
    EXPECT_THROW(BranchStockTable({{"우유식빵", "EA", "2", "가^나", "1^abc"}}), BranchStockError);
    EXPECT_THROW(BranchStockTable({{"우유식빵", "EA", "x", "가", "1"}}), BranchStockError);
    EXPECT_THROW(BranchStockTable({{"우유식빵", "EA", "-1", "가", "1"}}), BranchStockError);
}

} // namespace
