// The text grid: a whole table at once with its heading row, cell texts by
// (col, row), widths back to the default with each table, and the drawing
// hook that sees the heading as row 0.

#include "MirelTestSupport.h"

#include "Components/MirelComp/MirelColor.h"
#include "Components/MirelComp/MirelStringGrid.h"

#include <QPainter>
#include <QSet>
#include <gtest/gtest.h>

namespace {

TEST(StringGrid, ATableReplacesTheLastOneWhole)
{
    TMStringGrid grid;
    grid.resize(400, 200);
    grid.setDefaultColWidth(70);
    grid.SetTable({{"품명", "단위", "합계"}, {"우유식빵", "EA", "3"}, {"단팥빵"}});
    EXPECT_EQ(grid.Table(), (QList<QStringList>{{"품명", "단위", "합계"}, {"우유식빵", "EA", "3"}, {"단팥빵", "", ""}}));
    EXPECT_EQ(grid.TableRowCount(), 3);
    EXPECT_EQ(grid.TableColCount(), 3);
    EXPECT_EQ(grid.RowCount(), 2); // below the heading
    EXPECT_EQ(grid.Cells(2, 0), "합계");
    EXPECT_EQ(grid.Cells(0, 2), "단팥빵");
    EXPECT_EQ(grid.Cells(3, 0), "");
    EXPECT_EQ(grid.Cells(0, 3), "");
    EXPECT_EQ(grid.Cells(-1, 0), "");
    EXPECT_FALSE(grid.verticalHeader()->isVisibleTo(&grid)); // no fixed column
    EXPECT_EQ(grid.TitlePitch(), grid.RowPitch());
    grid.setColWidths(0, 200);

    grid.SetTable({{"품명", "단위", "가", "나", "합계"}});
    EXPECT_EQ(grid.TableRowCount(), 1);
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(grid.ColWidths(0), 70);
    EXPECT_EQ(grid.ColWidths(4), 70);

    grid.SetTable({});
    EXPECT_EQ(grid.TableRowCount(), 0);
    EXPECT_EQ(grid.ColCount(), 0);
}

TEST(StringGrid, TheDrawingHookSeesTheHeadingAsRowZeroOnTheFixedColour)
{
    TMStringGrid grid;
    grid.resize(300, 150);
    grid.setFixedColor(12632256); // silver
    grid.SetTable({{"품명", "합계"}, {"우유식빵", "3"}, {"단팥빵", "4"}});
    QSet<QPair<int, int>> cells;
    QColor headingBrush;
    grid.OnDrawCell = [&](QPainter &p, int col, int row, const QRect &, TGridDrawState state) {
        cells.insert({col, row});
        if (row == 0) {
            headingBrush = p.brush().color();
            EXPECT_TRUE(state & gdFixed);
        }
    };
    grid.grab();
    EXPECT_EQ(cells, (QSet<QPair<int, int>>{{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2}}));
    EXPECT_EQ(headingBrush, mirel::colorFromRef(12632256));
}

} // namespace
