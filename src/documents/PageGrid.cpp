#include "documents/PageGrid.h"

#include "platform/dataset/DataSet.h"

#include <QWidget>

void PageGrid(QWidget *grid, DataSet *dataSet, int step)
{
    if (grid)
        grid->setFocus();
    if (dataSet && dataSet->Active())
        dataSet->MoveBy(step);
}

int PageStep(int tag, int rowsPerPage)
{
    if (tag == PageUpTag)
        return -rowsPerPage;
    if (tag == PageDownTag)
        return rowsPerPage;
    return 0;
}
