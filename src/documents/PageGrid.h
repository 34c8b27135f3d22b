#pragma once
// Paging a grid by its pair of picture buttons (Tag 706 up, 707 down): the
// grid gets the focus, then, when its data set is open, the data set moves
// by `step` rows (negative: up). A closed or missing data set leaves the
// grid only focused. Each screen passes its own step (its grid's rows per
// page, with the sign of the button).

class DataSet;
class QWidget;

constexpr int PageUpTag = 706;
constexpr int PageDownTag = 707;

void PageGrid(QWidget *grid, DataSet *dataSet, int step);

// The step of a paging button: -rowsPerPage for Tag 706, +rowsPerPage for
// 707, 0 for any other Tag.
int PageStep(int tag, int rowsPerPage);
