#pragma once
// Arithmetic of the settings screen's table-layout editor, without a window:
// the grid of tiles built for a floor, the size the "초기화" button gives a
// tile, the column and row alignment of dragged tiles, and the limits of the
// count edits.

#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

namespace layout {

// Tiles a floor can show (tables and take-out places together).
constexpr int MaxTiles = 64;
// Floors a terminal can have.
constexpr int MaxFloors = 20;

struct Grid {
    int columns = 0;
    int rows = 0;
    int cellWidth = 0;
    int cellHeight = 0;
};

// The grid for n tiles (n > 0): columns = integer part of the square root of
// n, rows = n / columns rounded up, cells of 775 div columns by 595 div rows.
Grid GridFor(int n);

// Where tile k of n goes on the layout panel: the cells of GridFor(n) filled
// row by row, a new row beginning when the next cell would end beyond 787
// pixels; each tile 2 pixels smaller than its cell, 3 pixels in from its
// corner. Empty for n <= 0.
std::vector<QRect> TileRects(int n);

// The size "초기화" gives the selected tile for n tiles: 790 div columns - 2
// by 600 div rows - 2. Invalid (no change) for n <= 0.
QSize ResetSize(int n);

// Column alignment: for each band i = 0 .. 46 of 32 pixels centred on i * 16,
// the topmost tile whose Left lies strictly inside the band (the first one in
// tile order among equals, a Top of 0 always giving way) gives its Left to
// every tile strictly inside that band. Bands are taken in order, so a tile
// moved by one band may be moved again by the next.
void AlignColumns(std::vector<QPoint> &topLefts);
// Row alignment: the same with Top and Left exchanged, bands 0 .. 37.
void AlignRows(std::vector<QPoint> &topLefts);

// The largest count one of the two count edits may hold while the other
// holds `other`: 63 - other (never below 0).
int CountLimit(int other);

// The notices of the count edits.
QString CountNotice(int limit);
QString FloorCountNotice();

} // namespace layout
