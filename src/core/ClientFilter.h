#pragma once
// Client filters on data sets, applied the one way every screen applies them:
// filtering off, filter text set, filtering on. Clearing a filter is
// filtering off (the text stays, without effect).
//
// The item-type filter: the touch buttons all / product / semi-product /
// goods / materials narrow the rows of a data set on its type-name field F
// (the server's display names of the item types):
//   all          filter off
//   product      "F = '제품'"
//   semi-product "F = '반제품'"
//   goods        "F = '상품'"
//   materials    "F = '원재료' or F = '부재료' " (a raw or a secondary material)

#include <QString>

class DataSet;

void ApplyClientFilter(DataSet &dataSet, const QString &text);

enum class ItemTypeButton { All, Product, SemiProduct, Goods, Materials };

// The filter text of a button on the field; empty for All.
QString ItemTypeFilterText(const QString &field, ItemTypeButton button);
// Applies the button's filter (All switches filtering off).
void ItemTypeFilter(DataSet &dataSet, const QString &field, ItemTypeButton button);
