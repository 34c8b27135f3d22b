#include "platform/dataset/DataSet.h"

#include <gtest/gtest.h>

namespace {

// Eight rows built so that each filter text of the screens tells them apart.
class FilterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ds.setObjectName(QStringLiteral("cds_Test"));
        ds.LoadRows(
            {{"K", FieldType::Integer}, {"AHADNB", FieldType::String, 8}, {"CKDATE", FieldType::DateTime},
             {"gbtype", FieldType::Integer}, {"GKITTY", FieldType::String, 3}, {"GKDJGU", FieldType::String, 1},
             {"IMPGKI", FieldType::String, 3}, {"IMPMKI", FieldType::String, 3}, {"IMITTY", FieldType::String, 3},
             {"DHCHTY", FieldType::String, 3}, {"itty_name", FieldType::String, 10}, {"imname", FieldType::String, 50},
             {"FL_NO", FieldType::Integer}, {"TBL_NO", FieldType::Integer}, {"ITEM_IDX", FieldType::Integer},
             {"ADNUMB", FieldType::Integer}},
            {
                {1, {}, {}, 2, "5", "3", "A01", "B01", "1", "010", "원재료", "가지", 1, 2, 3, 12},
                {2, "", "1999-12-31 23:59:59", 2, "6", "3", "A01", "B01", "2", "005", "부재료", "깨", 1, 2, 0, 120},
                {3, "40000000", "2000-01-01 12:00:00", 12, "5", "3", "A01", "", "1", "004", "제품", "나물", 1, 2, 4, 2},
                {4, "39999999", "2000-01-01 11:59:59", 2, "7", "3", "A02", "B01", "3", "010", "반제품", "나", 1, 3, 0, 12},
                {5, "40000001", "2026-01-01", 3, "5", "3", "A01", "B01", "2", "001", "원재료 ", "각", 2, 2, 3, 13},
                {6, "9", {}, 2, "6", "4", "A01", "B01", "5", "005", "상품", "apple", 1, 2, 3, {}},
                {7, "A0000000", "2001-01-01", 20, "5", "3", "A01", "B01", "3", "003", "상품", "힣", 1, 2, {}, 7},
                {8, "1", {}, {}, {}, {}, {}, {}, {}, {}, {}, "O'Neil", {}, {}, {}, 0},
            });
        ds.Open();
    }
    QList<int> passing()
    {
        QList<int> keys;
        for (ds.First(); !ds.Eof(); ds.Next())
            keys << ds.FieldByName("K").AsInteger();
        return keys;
    }
    QList<int> apply(const QString &text)
    {
        ds.setFiltered(false);
        ds.setFilter(text);
        ds.setFiltered(true);
        return passing();
    }

    DataSet ds;
};

TEST_F(FilterTest, EveryFilterTextOfTheScreens)
{
    struct Case { const char *text; QList<int> rows; };
    const Case cases[] = {
        {"(AHADNB = '' or AHADNB < '40000000')", {1, 2, 4, 8}},
        {" AHADNB > '40000000' ", {5, 6, 7}},
        {"(CKDATE = NULL OR CKDATE < '2000-01-01 12:00:00')", {1, 2, 4, 6, 8}},
        {"gbtype = '2' and (GKITTY = '5' or GKITTY = '6') and GKDJGU = '3' ", {1, 2}},
        {"(IMPGKI = 'A01' and IMPGKI <> '') and (IMPMKI = 'B01' and IMPMKI <> '') and (IMITTY = '1' or IMITTY = '2') ", {1, 2, 5}},
        {"DHCHTY = '010' or DHCHTY = '005' ", {1, 2, 4, 6}},
        {"itty_name = '원재료' or itty_name = '부재료' ", {1, 2}},
        {"imname >= '가' and imname < '나' ", {1, 2, 5}},
        {"(FL_NO = 1 AND TBL_NO = 2 AND ITEM_IDX = 3) OR (FL_NO = 1 AND TBL_NO = 2 AND ITEM_IDX = 0)", {1, 2, 6}},
        {"ADNUMB = 12", {1, 4}},
        // the rules behind them
        {"gbtype > '9'", {3, 7}},                 // integer field: numbers, not texts
        {"gbtype = NULL", {8}},
        {"AHADNB = NULL", {1, 2}},                // a null text is ''
        {"AHADNB <> NULL", {3, 4, 5, 6, 7, 8}},
        {"AHADNB < NULL", {}},
        {"ahadnb = '' OR Ahadnb < '40000000'", {1, 2, 4, 8}},
        {"AHADNB = 9", {6}},                      // bare number against a text
        {"imname = 'O''Neil'", {8}},
        {"[imname] = '깨'", {2}},
        {"imname > '가'", {1, 2, 3, 4, 5, 7}},    // code points: Latin below Hangul
        {"'40000000' < AHADNB", {5, 6, 7}},       // constant on the left
        {"CKDATE >= '2026-01-01'", {5}},
        {"ITEM_IDX <= 0 or ADNUMB >= 120", {2, 4}},
        {"   ", {1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(apply(QString::fromUtf8(c.text)), c.rows) << c.text;
}

TEST_F(FilterTest, ABadTextThrowsNamingItAndKeepsThePreviousFilter)
{
    apply(QStringLiteral("ADNUMB = 12"));
    const char *bad[] = {
        "AHADNB = ", "(AHADNB = '1'", "AHADNB = 'x", "AHADNB == '1'", "AHADNB '1'", "and AHADNB = '1'",
        "AHADNB = '1' AHADNB = '2'", "AHADNB = '1' or", "'1' = '1'", "AHADNB = imname", "AHADNB = '1')",
        "AHADNB ! '1'", "NOPE = 1", "gbtype = 'abc'", "CKDATE < 'yesterday'", "ADNUMB = 1x",
    };
    for (const char *text : bad) {
        const QString t = QString::fromUtf8(text);
        try {
            ds.setFilter(t);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const DataSetError &e) {
            EXPECT_TRUE(e.message().contains(t)) << e.what();
        }
        EXPECT_EQ(ds.Filter(), "ADNUMB = 12") << text;
        EXPECT_EQ(ds.RecordCount(), 2) << text;
    }
    // Set while filtering is off, refused when it is switched on.
    ds.setFiltered(false);
    ds.setFilter(QStringLiteral("NOPE = 1"));
    EXPECT_THROW(ds.setFiltered(true), DataSetError);
    EXPECT_FALSE(ds.Filtered());
    EXPECT_EQ(ds.RecordCount(), 8);
}

TEST_F(FilterTest, QuotedTextsBuildSafeFilters)
{
    EXPECT_EQ(QuotedStr(QStringLiteral("O'Neil")), "'O''Neil'");
    EXPECT_EQ(QuotedStr(QString()), "''");
    EXPECT_EQ(QuotedStr(QStringLiteral("'")), "''''");
    EXPECT_EQ(apply(QStringLiteral("imname = ") + QuotedStr(QStringLiteral("O'Neil"))), QList<int>{8});
    EXPECT_EQ(apply(QStringLiteral("imname = ") + QuotedStr(QStringLiteral("x' or imname <> '"))), QList<int>{});
}

TEST(FilterCompare, TextsCompareByCodePoint)
{
    EXPECT_LT(compareCodePoints(u"a", u"b"), 0);
    EXPECT_LT(compareCodePoints(u"가", u"가나"), 0);
    EXPECT_EQ(compareCodePoints(u"나", u"나"), 0);
    EXPECT_GT(compareCodePoints(u"a", u"B"), 0);
    // U+1F600 lies above U+FFFD although its UTF-16 units (D83D) lie below.
    EXPECT_GT(compareCodePoints(u"\U0001F600", u"\uFFFD"), 0);
    EXPECT_LT(compareCodePoints(u"\uD7A3", u"\U0001F600"), 0);
}

} // namespace
