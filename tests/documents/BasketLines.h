#pragma once
// The lines of an item-entry basket (vtb_STOCK) as "ADSEQ IMITNB ADQTY"
// texts, in table order, without moving its cursor.

#include "platform/dataset/DataSet.h"

#include <QStringList>

inline QStringList BasketLines(const DataSet &b)
{
    QStringList out;
    for (int row = 0; row < b.rowCount(); ++row) {
        DataSet::RowScope scope(b, row);
        out << QStringLiteral("%1 %2 %3")
                   .arg(b.FieldByName(QStringLiteral("ADSEQ")).AsInteger())
                   .arg(b.FieldByName(QStringLiteral("IMITNB")).AsString())
                   .arg(b.FieldByName(QStringLiteral("ADQTY")).AsFloat());
    }
    return out;
}
