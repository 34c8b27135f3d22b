// Recipes over the demo data: the recipe search (types, day, name, name
// bounds, recipe flag and header figures), the lines of a recipe with their
// shares, and the unit cost the item list carries.

#include "ServerTestUtil.h"

using namespace servertest;

namespace {

class Recipes : public ServerSuite {
protected:
    static wire::Answer search(const QString &name, const QString &low = {}, const QString &high = QStringLiteral("zzzzzzzzzz"),
                               const QString &gubun = QStringLiteral("0"), const QString &day = today(),
                               const QString &store = QStringLiteral("9999"))
    {
        return call(QStringLiteral("[GP_SELECT_F0200_RECIPYENTRY]"),
                    {{"a_cmcd", QStringLiteral("9999")}, {"a_buut", store}, {"a_gkid", QString()},
                     {"a_mkid", QString()}, {"a_name", name}, {"a_date", day}, {"a_st_han", low},
                     {"a_ed_han", high}, {"a_gubun", gubun}});
    }
    static wire::Answer lines(const QString &item, const QString &store = QStringLiteral("9999"))
    {
        return call(QStringLiteral("[GP_SELECT_F0231_RECIPYREPORT]"),
                    {{"a_cmcd", QStringLiteral("9999")}, {"a_buut", store}, {"a_itnb", item}},
                    QStringLiteral("dspStoredProc2"));
    }
    static QString today() { return QDate::currentDate().toString(QStringLiteral("yyyyMMdd")); }
};

TEST_F(Recipes, SearchListsProductsAndSemiProductsOfTheDayWithinTheNameBounds)
{
    // Names beginning with 하, a Latin letter and a digit, valid since 2020;
    // one whose validity ended.
    exec("INSERT INTO F0200 (IMCMCD, IMBUUT, IMITNB, IMITTY, IMNAME, IMSTDT, IMEDDT) VALUES"
         " ('9999', '9999', '190001', '1', '하트케이크', '20200101', '99991231'),"
         " ('9999', '9999', '190002', '1', 'apple파이', '20200101', '99991231'),"
         " ('9999', '9999', '190003', '3', '3단시트', '20200101', '99991231'),"
         " ('9999', '9999', '190004', '1', '지난케이크', '20200101', '20200102')");
    const QStringList every = {"100001", "100002", "100003", "100004", "100005", "100006", "100007", "100008",
                               "100009", "100010", "100011", "190001", "190002", "190003", "300001", "300002"};
    struct Case {
        QString name, low, high, gubun, day;
        QStringList items;
    };
    const QString all = QStringLiteral("zzzzzzzzzz");
    const Case cases[] = {
        // Goods (2) and materials (5, 6) never appear; an empty upper bound admits every name.
        {"", "", all, "0", today(), every},
        {"", "", "", "0", today(), every},
        {"케이크", "", all, "0", today(), {"100005", "100006", "190001"}},
        {"APPLE", "", all, "0", today(), {"190002"}},
        {"", "", all, "1", today(), {"100001", "100002", "100005", "300001"}},
        {"", "가", "사", "0", today(), {"100002", "100006", "100007"}},
        {"", "커", all, "0", today(), {"100004", "100008", "190001", "300002"}},
        {"", "하", "a", "0", today(), {"100008", "190001"}},
        {"", "a", "z", "0", today(), {"100009", "100010", "190002"}},
        {"", "0", "9", "0", today(), {"100011", "190003"}},
        {"", "", all, "0", "20191231", {}},
        {"케이크", "", all, "0", "20200102", {"190001", "190004"}},
    };
    for (const Case &c : cases) {
        const wire::Answer a = search(c.name, c.low, c.high, c.gubun, c.day);
        ASSERT_OK(a);
        EXPECT_EQ(column(a, "IMITNB"), c.items)
            << c.name.toStdString() << " [" << c.low.toStdString() << ", " << c.high.toStdString() << ") "
            << c.gubun.toStdString() << " " << c.day.toStdString();
        EXPECT_EQ(a.columns.size(), 21);
    }
    exec("DELETE FROM F0200 WHERE IMCMCD = '9999' AND IMITNB LIKE '19000_'");
}

TEST_F(Recipes, SearchCarriesTheRecipeFlagAndHeaderFiguresOrZeroWithoutARecipe)
{
    const wire::Answer a = search(QStringLiteral("케이크"));
    ASSERT_OK(a);
    ASSERT_EQ(column(a, "IMITNB"), (QStringList{"100005", "100006"}));
    EXPECT_EQ(column(a, "recipy_flag_pos"), (QStringList{"R", ""}));
    EXPECT_EQ(column(a, "MHinam"), (QStringList{"생크림케이크", ""}));
    EXPECT_EQ(column(a, "MHSTGU"), (QStringList{"1", ""}));
    EXPECT_EQ(column(a, "MHPQTY"), (QStringList{"1", "0"}));
    EXPECT_EQ(column(a, "MHBHWT"), (QStringList{"520", "0"}));
    EXPECT_EQ(column(a, "MHRORT"), (QStringList{"8.5", "0"}));
    EXPECT_EQ(cell(a, 0, "MHSTND"), QVariant(true));
    EXPECT_EQ(cell(a, 1, "MHSTND"), QVariant(false));
    // The other business units have the same recipes (우유식빵 and 식빵반죽;
    // mini식빵 and 9곡식빵 have none).
    EXPECT_EQ(column(search(QStringLiteral("식빵"), {}, QStringLiteral("zzzzzzzzzz"), QStringLiteral("0"), today(),
                            QStringLiteral("0001")),
                     "recipy_flag_pos"),
              (QStringList{"R", "", "", "R"}));
}

TEST_F(Recipes, LinesComeInSortKeyOrderWithTheIngredientsShareOfTheirGroup)
{
    for (const char *store : {"9999", "0001"}) {
        const wire::Answer a = lines(QStringLiteral("100005"), QLatin1String(store));
        ASSERT_OK(a);
        EXPECT_EQ(column(a, "sortkey"), (QStringList{"0001", "000101", "000102", "000103", "0002", "000201", "0003",
                                                      "000301", "000302", "000303"}))
            << store;
        EXPECT_EQ(column(a, "mdpaky").count("0"), 3);
        // 시트: 4 + 120 + 100; 크림: 300; 포장: three of 1.
        EXPECT_EQ(column(a, "MDPERC"),
                  (QStringList{"0", "1.8", "53.6", "44.6", "0", "100", "0", "33.3", "33.3", "33.3"}));
    }

    // Stored shares stand; 0 is worked out among the ingredients right under
    // the same group line, a nested group's apart; a group that weighs
    // nothing gives 0.
    exec("INSERT INTO F0231 (MDCMCD, MDBUUT, MDITNB, MDSORT, MDSEQ, MDPAKY, MDNAME, MDWGHT, MDPERC) VALUES"
         " ('9999', '9999', '100006', '0001', 1, 0, '시트', 0, 0),"
         " ('9999', '9999', '100006', '000101', 2, 1, '고구마', 300, 0),"
         " ('9999', '9999', '100006', '000102', 3, 1, '설탕', 100, 0),"
         " ('9999', '9999', '100006', '000103', 3, 0, '토핑', 0, 0),"
         " ('9999', '9999', '100006', '00010301', 3, 1, '아몬드', 60, 0),"
         " ('9999', '9999', '100006', '00010302', 3, 1, '호두', 40, 0),"
         " ('9999', '9999', '100006', '0002', 4, 0, '장식', 0, 0),"
         " ('9999', '9999', '100006', '000201', 5, 1, '코코아', 7, 12.5),"
         " ('9999', '9999', '100006', '0003', 6, 0, '포장', 0, 0),"
         " ('9999', '9999', '100006', '000301', 7, 1, '리본', 0, 0)");
    const wire::Answer t = lines(QStringLiteral("100006"));
    exec("DELETE FROM F0231 WHERE MDCMCD = '9999' AND MDITNB = '100006'");
    ASSERT_OK(t);
    EXPECT_EQ(column(t, "MDNAME"), (QStringList{"시트", "고구마", "설탕", "토핑", "아몬드", "호두", "장식", "코코아", "포장", "리본"}));
    EXPECT_EQ(column(t, "MDPERC"), (QStringList{"0", "75", "25", "0", "60", "40", "0", "12.5", "0", "0"}));

    const wire::Answer none = lines(QStringLiteral("200001"));
    ASSERT_OK(none);
    EXPECT_TRUE(none.rows.isEmpty());
    EXPECT_EQ(none.columns.size(), 10);
}

TEST_F(Recipes, UnitCostOfTheSeededRecipesIsTheirIngredientsAtTransferPricePerUnitMade)
{
    const struct {
        const char *item;
        double cost;
    } expected[] = {
        {"100001", 1700},  // (5000 x 3 + 100 x 20) / 10
        {"100002", 640},   // (1600 x 3 + 1000 x 8) / 20
        {"100005", 4060},  // 4 x 250 + 120 x 3 + 100 x 2 + 300 x 6 + 500 + 100 + 100
        {"300001", 3.08},  // (600 x 2 + 40 x 3 + 40 x 20 + 320 x 3) / 1000
        {"100006", 0},     // no recipe
    };
    for (const char *store : {"9999", "0004"}) {
        const wire::Answer items = call(QStringLiteral("[GP_SELECT_F0200_STOCK_POS_ITEMS]"),
                                        {{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QLatin1String(store)},
                                         {"A_NAME", QString()}},
                                        QStringLiteral("dspStoredProc5"));
        ASSERT_OK(items);
        const QStringList codes = column(items, "IMITNB");
        for (const auto &e : expected) {
            const int row = int(codes.indexOf(QLatin1String(e.item)));
            ASSERT_GE(row, 0) << e.item;
            EXPECT_NEAR(cell(items, row, "MHEPRI").toDouble(), e.cost, 1e-9) << e.item << " in " << store;
        }
    }
}

} // namespace
