// Partner search and its options over the demo data.

#include "ServerTestUtil.h"

using namespace servertest;

namespace {

class Partners : public ServerSuite {};

TEST_F(Partners, OptionsGiveTheStoresPartnersOrEveryBusinessUnitOnce)
{
    struct Case {
        const char *name;
        Params params;
        QStringList codes; // MYADNB in answer order
    };
    const QString units[] = {QStringLiteral("0001"), QStringLiteral("0003"), QStringLiteral("0004"),
                             QStringLiteral("9999")};
    const Case cases[] = {
        {"partners of the terminal's store: other units, then its suppliers and customers",
         {{"COMPCODE", QStringLiteral("9999")}, {"STORECODE", QStringLiteral("9999")}, {"OPTION", 5}},
         {"0001", "0003", "0004", "20000001", "30000001", "30000009", "40000001", "40000002"}},
        {"another store has no partners of its own in the demo",
         {{"COMPCODE", QStringLiteral("9999")}, {"STORECODE", QStringLiteral("0001")}, {"OPTION", 5}},
         {"0003", "0004", "9999"}},
        {"option 5 without a store: units only, own store included",
         {{"COMPCODE", QStringLiteral("9999")}, {"OPTION", 5}},
         {units[0], units[1], units[2], units[3]}},
        {"option 5 with an empty store reads as without",
         {{"COMPCODE", QStringLiteral("9999")}, {"STORECODE", QString()}, {"OPTION", 5}},
         {units[0], units[1], units[2], units[3]}},
        {"option 7 lists the units whatever the store",
         {{"COMPCODE", QStringLiteral("9999")}, {"STORECODE", QStringLiteral("9999")}, {"OPTION", 7}},
         {units[0], units[1], units[2], units[3]}},
        {"another company has nothing",
         {{"COMPCODE", QStringLiteral("0002")}, {"STORECODE", QStringLiteral("9999")}, {"OPTION", 5}},
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const wire::Answer a = call(QStringLiteral("[GP_SELECT_F0100_RegOrder_Susin_Search]"), c.params);
        ASSERT_FALSE(a.isError()) << a.error.toStdString();
        EXPECT_EQ(a.columns.size(), 7);
        EXPECT_EQ(column(a, QStringLiteral("MYADNB")), c.codes);
    }
}

TEST_F(Partners, RowsCarryUnitMarkerShortNameAndTaxKind)
{
    const wire::Answer a = call(QStringLiteral("GP_SELECT_F0100_RegOrder_Susin_Search"),
                                {{"@COMPCODE", QStringLiteral("9999")},
                                 {"@STORECODE", QStringLiteral("9999")},
                                 {"@OPTION", 5}});
    ASSERT_FALSE(a.isError());
    EXPECT_EQ(column(a, QStringLiteral("ABSNAM")).mid(0, 3),
              (QStringList{QStringLiteral("생산센터"), QStringLiteral("가맹1호"), QStringLiteral("직영2호")}));
    EXPECT_EQ(column(a, QStringLiteral("ABADNB")).mid(0, 3), QStringList(3, QStringLiteral("00000000")));
    EXPECT_EQ(cell(a, 3, QStringLiteral("ABADNB")).toString(), QStringLiteral("20000001"));
    EXPECT_EQ(cell(a, 6, QStringLiteral("ABTXGU")).toString(), QStringLiteral("3")); // 데모제분, tax-free

    // An empty short name reads as the full name; a partner out of use is left out.
    {
        auto lease = server().store().acquire();
        lease.db().exec("INSERT INTO F0100 (ABCMCD, ABBUUT, ABADNB, ABADTY, ABNAME, ABSNAM) VALUES "
                        "('9999', '9999', '40000077', '002', '긴이름제과(주)', ''),"
                        "('9999', '9999', '40000078', '002', '거래종료', '거래종료')");
        lease.db().exec("UPDATE F0100 SET ABUSFL = 0 WHERE ABADNB = '40000078'");
    }
    const wire::Answer b = call(QStringLiteral("GP_SELECT_F0100_RegOrder_Susin_Search"),
                                {{"COMPCODE", QStringLiteral("9999")},
                                 {"STORECODE", QStringLiteral("9999")},
                                 {"OPTION", 5}});
    {
        auto lease = server().store().acquire();
        lease.db().exec("DELETE FROM F0100 WHERE ABADNB IN ('40000077', '40000078')");
    }
    ASSERT_FALSE(b.isError());
    EXPECT_EQ(column(b, QStringLiteral("MYADNB")).last(), QStringLiteral("40000077"));
    EXPECT_EQ(column(b, QStringLiteral("ABSNAM")).last(), QStringLiteral("긴이름제과(주)"));
}

TEST_F(Partners, UnknownOptionIsRefused)
{
    for (const QVariant &option : {QVariant(6), QVariant(), QVariant(QStringLiteral("x"))}) {
        const wire::Answer a = call(QStringLiteral("GP_SELECT_F0100_RegOrder_Susin_Search"),
                                    {{"COMPCODE", QStringLiteral("9999")}, {"OPTION", option}});
        EXPECT_TRUE(a.isError());
    }
}

} // namespace
