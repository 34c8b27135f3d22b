#include "Components/MirelComp/MirelGrid.h"

TMirelGrid::TMirelGrid(QWidget *parent) : TMCustomDBGrid(parent) {}

TColumn *AddGridColumn(TMCustomDBGrid *grid, const QString &field, const QString &title, int width)
{
    TColumn *column = grid->Columns().Add();
    column->setFieldName(field);
    column->Title()->setCaption(title);
    column->setWidth(width);
    return column;
}
