#include "core/ClientFilter.h"

#include "platform/dataset/DataSet.h"

void ApplyClientFilter(DataSet &dataSet, const QString &text)
{
    dataSet.setFiltered(false);
    dataSet.setFilter(text);
    dataSet.setFiltered(true);
}

QString ItemTypeFilterText(const QString &f, ItemTypeButton button)
{
    switch (button) {
    case ItemTypeButton::Product: return f + QStringLiteral(" = '제품'");
    case ItemTypeButton::SemiProduct: return f + QStringLiteral(" = '반제품'");
    case ItemTypeButton::Goods: return f + QStringLiteral(" = '상품'");
    case ItemTypeButton::Materials: return f + QStringLiteral(" = '원재료' or ") + f + QStringLiteral(" = '부재료' ");
    case ItemTypeButton::All: break;
    }
    return QString();
}

void ItemTypeFilter(DataSet &dataSet, const QString &field, ItemTypeButton button)
{
    if (button == ItemTypeButton::All)
        dataSet.setFiltered(false);
    else
        ApplyClientFilter(dataSet, ItemTypeFilterText(field, button));
}
