#pragma once
// The lists of the pickers (release list, production status list, job-order
// list, received-order search): grids that select whole rows and always show
// the selection, with titled columns, each beside a pair of paging buttons.

#include <initializer_list>

class DataSet;
class TMCustomDBGrid;
class TMirelGrid;
class TMirelImgBtn;

struct PickerColumn {
    const char *field;
    const char *title; // UTF-8
    int width;         // pixels
    bool centred = false;
};

// Binds the grid to the data set with whole-row selection, rows of
// rowHeight pixels and the columns in order.
void SetUpPickerGrid(TMirelGrid *grid, DataSet *dataSet, std::initializer_list<PickerColumn> columns,
                     int rowHeight = 30);

// Pages the grid by `rows` with a pair of buttons (Tags 706 up, 707 down; see
// PageGrid).
void ConnectPageButtons(TMirelImgBtn *up, TMirelImgBtn *down, TMCustomDBGrid *grid, int rows);
