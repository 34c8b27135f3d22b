#include "core/ClientFilter.h"

#include "platform/dataset/DataSet.h"

#include <gtest/gtest.h>

namespace {

// Each type button keeps the rows of its type name; materials are raw and
// secondary materials together; "all" switches the filter off.
TEST(ItemTypeFilter, EachButtonKeepsItsTypeNamesAndAllShowsEveryRow)
{
    DataSet lines;
    lines.AddField(QStringLiteral("itty_name"), FieldType::String, 20);
    lines.Open();
    for (const char *type : {"제품", "상품", "반제품", "원재료", "부재료", ""}) {
        lines.Append();
        lines.FieldByName(QStringLiteral("itty_name")).setAsString(QString::fromUtf8(type));
        lines.Post();
    }
    const struct {
        ItemTypeButton button;
        const char *text;
        QStringList kept;
    } cases[] = {
        {ItemTypeButton::Product, "itty_name = '제품'", {"제품"}},
        {ItemTypeButton::SemiProduct, "itty_name = '반제품'", {"반제품"}},
        {ItemTypeButton::Goods, "itty_name = '상품'", {"상품"}},
        {ItemTypeButton::Materials, "itty_name = '원재료' or itty_name = '부재료' ", {"원재료", "부재료"}},
        {ItemTypeButton::All, "", {"제품", "상품", "반제품", "원재료", "부재료", ""}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ItemTypeFilterText(QStringLiteral("itty_name"), c.button), QString::fromUtf8(c.text));
        ItemTypeFilter(lines, QStringLiteral("itty_name"), c.button);
        QStringList kept;
        for (lines.First(); !lines.Eof(); lines.Next())
            kept << lines.FieldByName(QStringLiteral("itty_name")).AsString();
        EXPECT_EQ(kept, c.kept);
    }
}

} // namespace
