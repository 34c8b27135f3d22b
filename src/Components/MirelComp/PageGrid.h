#pragma once
// Paging of a data-aware grid by a pair of picture buttons: the button with
// Tag 706 moves up, 707 down. The grid takes the focus; when its data set is
// open the current row moves by the grid's rows per page (clamped at the
// ends); a closed data set leaves the grid only focused.

class TMCustomDBGrid;

constexpr int kPageUpTag = 706;
constexpr int kPageDownTag = 707;

void PageGrid(TMCustomDBGrid *grid, int buttonTag, int rowsPerPage);
