#include "Components/MirelComp/PageGrid.h"

#include "Components/MirelComp/MirelButtonBase.h"
#include "Components/MirelComp/MirelGridL.h"

void PageGrid(TMCustomDBGrid *grid, int rows)
{
    grid->setFocus();
    DataSet *ds = grid->DataSource();
    if (ds && ds->Active())
        ds->MoveBy(rows);
}

void PageGridByTag(TMCustomDBGrid *grid, const TMirelButtonBase *button, int rows)
{
    const int tag = button->Tag();
    PageGrid(grid, tag == 706 ? -rows : tag == 707 ? rows : 0);
}
