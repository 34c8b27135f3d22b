#include "documents/PickerGrid.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/PageGrid.h"

void SetUpPickerGrid(TMirelGrid *grid, DataSet *dataSet, std::initializer_list<PickerColumn> columns, int rowHeight)
{
    grid->setOptions(dgTitles | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection);
    grid->setDefaultRowHeight(rowHeight);
    grid->setDataSource(dataSet);
    for (const PickerColumn &c : columns) {
        TColumn *column = AddGridColumn(grid, QLatin1String(c.field), QString::fromUtf8(c.title), c.width);
        if (c.centred)
            column->setAlignment(Qt::AlignCenter);
    }
}

void ConnectPageButtons(TMirelImgBtn *up, TMirelImgBtn *down, TMCustomDBGrid *grid, int rows)
{
    for (TMirelImgBtn *b : {up, down})
        QObject::connect(b, &TMirelImgBtn::OnClick, b, [b, grid, rows] { PageGrid(grid, b->Tag(), rows); });
}
