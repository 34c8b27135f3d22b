#pragma once
// Paging of a data-aware grid by a pair of picture buttons (Tag 706 up, 707
// down): the grid takes the focus, then, when its data set is open, the data
// set moves by `rows` records up or down. A closed data set leaves the grid
// only focused.

class TMCustomDBGrid;
class TMirelButtonBase;

void PageGrid(TMCustomDBGrid *grid, int rows);

// The paging of a button by its Tag: 706 moves -rows, 707 +rows; any other
// Tag only focuses the grid.
void PageGridByTag(TMCustomDBGrid *grid, const TMirelButtonBase *button, int rows);
