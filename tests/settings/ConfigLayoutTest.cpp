// The arithmetic of the table-layout editor, without a window: the grid of a
// floor's tiles, the reset size and the column/row alignment bands.

#include "settings/u302_ConfigLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(ConfigLayoutTest, GridAndResetSizeFollowTheSquareRootOfTheCount)
{
    struct Case { int n; int columns, rows, w, h; QSize reset; };
    const Case cases[] = {
        {1, 1, 1, 775, 595, {788, 598}},
        {13, 3, 5, 258, 119, {261, 118}}, // 10 tables and 3 take-out places
        {16, 4, 4, 193, 148, {195, 148}},
        {17, 4, 5, 193, 119, {195, 118}},
        {63, 7, 9, 110, 66, {110, 64}},
        {64, 8, 8, 96, 74, {96, 73}},
    };
    for (const Case &c : cases) {
        const layout::Grid g = layout::GridFor(c.n);
        EXPECT_EQ(g.columns, c.columns) << c.n;
        EXPECT_EQ(g.rows, c.rows) << c.n;
        EXPECT_EQ(g.cellWidth, c.w) << c.n;
        EXPECT_EQ(g.cellHeight, c.h) << c.n;
        EXPECT_EQ(layout::ResetSize(c.n), c.reset) << c.n;
    }
    EXPECT_FALSE(layout::ResetSize(0).isValid());
    EXPECT_TRUE(layout::TileRects(0).empty());
}

TEST(ConfigLayoutTest, TilesFillTheCellsRowByRow)
{
    const std::vector<QRect> r = layout::TileRects(13);
    ASSERT_EQ(r.size(), 13u);
    EXPECT_EQ(r[0], QRect(3, 3, 256, 117));
    EXPECT_EQ(r[2], QRect(519, 3, 256, 117));
    EXPECT_EQ(r[3], QRect(3, 122, 256, 117));
    EXPECT_EQ(r[12], QRect(3, 479, 256, 117));
    // Every tile stays inside the 790 x 600 panel for any count.
    for (int n = 1; n <= layout::MaxTiles; ++n)
        for (const QRect &tile : layout::TileRects(n))
            EXPECT_TRUE(QRect(0, 0, 790, 600).contains(tile)) << n;
}

TEST(ConfigLayoutTest, AlignmentTakesTheTopmostTileOfEachBand)
{
    struct Case {
        const char *what;
        std::vector<QPoint> before;
        std::vector<QPoint> columns; // after column alignment
    };
    const Case cases[] = {
        {"the higher tile gives its Left", {{18, 100}, {25, 50}}, {{25, 100}, {25, 50}}},
        {"a Top of 0 gives way to a later tile", {{20, 0}, {28, 80}}, {{28, 0}, {28, 80}}},
        {"a Left on a band edge belongs to the band between", {{16, 10}, {30, 5}}, {{30, 10}, {30, 5}}},
        {"tiles in separate bands stay", {{3, 3}, {261, 3}}, {{3, 3}, {261, 3}}},
        {"overlapping bands carry a tile on", {{10, 50}, {26, 40}, {42, 30}}, {{42, 50}, {42, 40}, {42, 30}}},
        {"beyond the last band nothing moves", {{760, 10}, {770, 5}}, {{760, 10}, {770, 5}}},
    };
    for (const Case &c : cases) {
        std::vector<QPoint> points = c.before;
        layout::AlignColumns(points);
        EXPECT_EQ(points, c.columns) << c.what;

        // Rows are the same rule with the coordinates exchanged.
        std::vector<QPoint> swapped;
        for (const QPoint &p : c.before)
            swapped.emplace_back(p.y(), p.x());
        layout::AlignRows(swapped);
        for (size_t k = 0; k < swapped.size(); ++k)
            EXPECT_EQ(swapped[k], QPoint(c.columns[k].y(), c.columns[k].x())) << c.what << " (rows)";
    }
}

TEST(ConfigLayoutTest, CountNoticesNameTheLimits)
{
    EXPECT_EQ(layout::CountLimit(30), 33);
    EXPECT_EQ(layout::CountLimit(70), 0);
    EXPECT_EQ(layout::CountNotice(33),
              QString::fromUtf8("사용 가능한 테이블 수는 0~33입니다. 0~33 사이의 수를 입력해 주세요."));
    EXPECT_EQ(layout::FloorCountNotice(),
              QString::fromUtf8("사용 가능한 층 수는 1~20입니다. 1~20 사이의 수를 입력해 주세요."));
}

} // namespace
