#include "Components/MirelComp/PageGrid.h"

#include "Components/MirelComp/MirelGridL.h"

void PageGrid(TMCustomDBGrid *grid, int buttonTag, int rowsPerPage)
{
    if (!grid)
        return;
    grid->setFocus();
    DataSet *ds = grid->DataSource();
    if (!ds || !ds->Active())
        return;
    if (buttonTag == kPageUpTag)
        ds->MoveBy(-rowsPerPage);
    else if (buttonTag == kPageDownTag)
        ds->MoveBy(rowsPerPage);
}
