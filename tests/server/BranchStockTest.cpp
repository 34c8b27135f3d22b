// The branch stock list over a small company of its own (8690): which units
// make the columns, which items make the rows (company item master, type,
// categories, name bounds), and the quantities with and without the units'
// proper stock.

#include "ServerTestUtil.h"

using namespace servertest;

namespace {

class BranchStock : public ServerSuite {
public:
    static void SetUpTestSuite()
    {
        ServerSuite::SetUpTestSuite();
        // Units: head office, two directly run (one without a short name), a
        // franchise, a closed franchise; and a supplier, which is no unit.
        exec("INSERT INTO F0100 (ABCMCD, ABBUUT, ABADNB, ABADTY, ABBUGU, ABNAME, ABSNAM, ABUSFL) VALUES"
             " ('8690', '0001', '00000000', '001', '1', '본사생산', '본사', 1),"
             " ('8690', '0002', '00000000', '001', '2', '직영점A', '직영A', 1),"
             " ('8690', '0003', '00000000', '001', '3', '가맹점B', '가맹B', 1),"
             " ('8690', '0005', '00000000', '001', '2', '직영점C', '', 1),"
             " ('8690', '0006', '00000000', '001', '3', '폐점D', '폐점D', 0),"
             " ('8690', '0002', '30000001', '002', '', '공급처', '공급처', 1)");
        // The item master at the head office; 000050 only at two stores (the
        // lower code's row counts); 000010 at 0002 under another name.
        exec("INSERT INTO F0200 (IMCMCD, IMBUUT, IMITNB, IMITTY, IMNAME, IMLDAN, IMSDKI, IMSJKI, IMUSFL, IMJEGO) VALUES"
             " ('8690', '0001', '000010', '1', '가방빵', 'EA', '', '', 1, 0),"
             " ('8690', '0001', '000011', '1', '깨찰빵', 'EA', '', '', 1, 0),"
             " ('8690', '0001', '000012', '1', '나무빵', 'EA', '', '', 1, 0),"
             " ('8690', '0001', '000013', '1', '하늘빵', 'EA', '', '', 1, 0),"
             " ('8690', '0001', '000014', '1', '힣', 'EA', '', '', 1, 0),"
             " ('8690', '0001', '000015', '1', 'apple', 'EA', '', '', 1, 0),"
             " ('8690', '0001', '000016', '1', 'Apple', 'EA', '', '', 1, 0),"
             " ('8690', '0001', '000017', '1', 'zebra', 'EA', '', '', 1, 0),"
             " ('8690', '0001', '000018', '1', 'Zebra', 'EA', '', '', 1, 0),"
             " ('8690', '0001', '000019', '1', '0번빵', 'EA', '', '', 1, 0),"
             " ('8690', '0001', '000020', '1', '9번빵', 'EA', '', '', 1, 0),"
             " ('8690', '0001', '000021', '1', '[특가]빵', 'EA', '', '', 1, 0),"
             " ('8690', '0001', '000030', '3', '가루반죽', 'G', '201', '001', 1, 0),"
             " ('8690', '0001', '000031', '3', '나반죽', 'G', '201', '002', 1, 0),"
             " ('8690', '0001', '000032', '3', '다반죽', 'G', '202', '001', 1, 0),"
             " ('8690', '0001', '000040', '1', '옛빵', 'EA', '', '', 0, 0),"
             " ('8690', '0002', '000010', '1', '가방빵(지점)', 'EA', '', '', 1, 2),"
             " ('8690', '0002', '000011', '1', '깨찰빵', 'EA', '', '', 1, 4),"
             " ('8690', '0002', '000050', '1', '다른빵', 'EA', '', '', 1, 0),"
             " ('8690', '0003', '000050', '1', '나중빵', 'EA', '', '', 1, 0)");
        exec("INSERT INTO F3400 (SKCMCD, SKBUUT, SKITNB, SKDATE, SKQTY) VALUES"
             " ('8690', '0002', '000010', '20000101', 5), ('8690', '0003', '000010', '20000101', 7.5),"
             " ('8690', '0002', '000011', '20000101', 1)");
    }

protected:
    struct Search {
        QString type = QStringLiteral("1"), low, high = QStringLiteral("zzzzzzzzzz"), kind = QStringLiteral("1"),
                gubun = QStringLiteral("0"), major, middle;
    };
    static wire::Answer list(const Search &s)
    {
        return call(QStringLiteral("[GP_SELECT_F3400_StockListOfBranch]"),
                    {{"@a_cmcd", QStringLiteral("8690")}, {"@a_itty", s.type}, {"@a_gkid", s.major},
                     {"@a_mkid", s.middle}, {"@a_itnb", QString()}, {"@a_st_han", s.low}, {"@a_ed_han", s.high},
                     {"@a_adty", s.kind}, {"@a_gubun", s.gubun}},
                    QStringLiteral("dspStoredProc2"));
    }
    static QStringList names(const Search &s)
    {
        const wire::Answer a = list(s);
        EXPECT_FALSE(a.isError()) << a.error.toStdString();
        return column(a, QStringLiteral("itnb_name"));
    }
};

TEST_F(BranchStock, RowsAreTheCompanyItemsOfTheTypeWithinTheNameBoundsAndCategories)
{
    const QStringList every = {"가방빵", "깨찰빵", "나무빵", "하늘빵", "힣",       "apple",  "Apple",
                               "zebra",  "Zebra",  "0번빵",  "9번빵",  "[특가]빵", "다른빵"};
    const struct {
        const char *low, *high;
        QStringList names;
    } bounds[] = {
        {"", "zzzzzzzzzz", every},
        {"", "", every},
        {"가", "나", {"가방빵", "깨찰빵"}},
        {"나", "다", {"나무빵"}},
        {"하", "a", {"하늘빵", "힣"}},
        {"a", "z", {"apple", "Apple", "zebra", "Zebra"}},
        {"0", "9", {"0번빵", "9번빵"}},
    };
    for (const auto &b : bounds) {
        SCOPED_TRACE(std::string(b.low) + "/" + b.high);
        Search s;
        s.low = QString::fromUtf8(b.low);
        s.high = QString::fromUtf8(b.high);
        EXPECT_EQ(names(s), b.names);
    }

    const struct {
        const char *major, *middle;
        QStringList names;
    } categories[] = {
        {"", "", {"가루반죽", "나반죽", "다반죽"}},
        {"0000000000", "0000000000", {"가루반죽", "나반죽", "다반죽"}},
        {"201", "", {"가루반죽", "나반죽"}},
        {"201", "002", {"나반죽"}},
        {"202", "002", {}},
    };
    for (const auto &c : categories) {
        SCOPED_TRACE(std::string(c.major) + "/" + c.middle);
        Search s;
        s.type = QStringLiteral("3");
        s.major = QString::fromLatin1(c.major);
        s.middle = QString::fromLatin1(c.middle);
        EXPECT_EQ(names(s), c.names);
    }

    // No goods: no rows, the columns all the same.
    Search goods;
    goods.type = QStringLiteral("2");
    const wire::Answer none = list(goods);
    ASSERT_OK(none);
    EXPECT_TRUE(none.rows.isEmpty());
    QStringList columns;
    for (const wire::Column &c : none.columns)
        columns << c.name;
    EXPECT_EQ(columns, (QStringList{"itnb_name", "unit", "buut_cnt", "buut_name", "qty"}));
}

TEST_F(BranchStock, EveryRowListsTheUnitsOfTheKindWithTheirStock)
{
    const struct {
        const char *kind, *gubun, *count, *units, *bag, *sesame;
    } cases[] = {
        {"1", "0", "4", "본사^직영A^가맹B^직영점C", "0^5^7.5^0", "0^1^0^0"},
        {"", "0", "4", "본사^직영A^가맹B^직영점C", "0^5^7.5^0", "0^1^0^0"},
        {"2", "0", "2", "직영A^직영점C", "5^0", "1^0"},
        {"3", "0", "1", "가맹B", "7.5", "0"},
        // Less each unit's proper stock of the item (none where it has no row).
        {"1", "1", "4", "본사^직영A^가맹B^직영점C", "0^3^7.5^0", "0^-3^0^0"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.gubun);
        Search s;
        s.kind = QString::fromLatin1(c.kind);
        s.gubun = QString::fromLatin1(c.gubun);
        const wire::Answer a = list(s);
        ASSERT_OK(a);
        ASSERT_EQ(a.rows.size(), 13);
        EXPECT_EQ(column(a, QStringLiteral("buut_cnt")), QStringList(13, QString::fromLatin1(c.count)));
        EXPECT_EQ(column(a, QStringLiteral("buut_name")), QStringList(13, QString::fromUtf8(c.units)));
        EXPECT_EQ(cell(a, 0, QStringLiteral("unit")).toString(), QStringLiteral("EA"));
        EXPECT_EQ(cell(a, 0, QStringLiteral("qty")).toString(), QString::fromLatin1(c.bag));
        EXPECT_EQ(cell(a, 1, QStringLiteral("qty")).toString(), QString::fromLatin1(c.sesame));
    }
}

} // namespace
