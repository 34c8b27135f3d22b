#pragma once
// The fixture of the item-entry screen tests: the data module's category and
// item caches loaded from the test server as start-up loads them, the
// build's button pictures, and the basket listed as text.

#include "DocumentsFixture.h"

#include "platform/dataset/DataSet.h"

#include <QStringList>

class ItemEntrySuite : public DocumentsSuite {
protected:
    void SetUp() override
    {
        DocumentsSuite::SetUp();
        useBuildPictures();
        ASSERT_TRUE(dm->StockLoadTypeA());
        ASSERT_TRUE(dm->LoadTypeB());
        ASSERT_TRUE(dm->StockLoadItems());
    }

    // The basket's lines as "ADSEQ IMITNB ADQTY", in table order, without
    // moving its cursor.
    static QStringList BasketLines(const DataSet &b)
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
};
