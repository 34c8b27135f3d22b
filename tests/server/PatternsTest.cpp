// Order patterns and their lines over the demo data.

#include "ServerTestUtil.h"
#include "StockView.h"

using namespace servertest;

namespace {

class Patterns : public ServerSuite {
protected:
    static wire::Answer lines(int pattern, const char *target, const QVariant &phnumb = QVariant())
    {
        return call(QStringLiteral("[GP_SELECT_F2111_RegOrderSearch_new1]"),
                    {{"COMPCODE", QStringLiteral("9999")},
                     {"STORECODE", QStringLiteral("9999")},
                     {"HDNUMB", pattern},
                     {"TARGETCODE", QString::fromLatin1(target)},
                     {"phnumb", phnumb}},
                    QStringLiteral("dspStoredProc7"));
    }
};

TEST_F(Patterns, ListOfEveryPartnerOrOneWithPartnerNames)
{
    const auto list = [](const char *target) {
        return call(QStringLiteral("[GP_SELECT_F2110_RegOrderSearch]"),
                    {{"COMPCODE", QStringLiteral("9999")},
                     {"STORECODE", QStringLiteral("9999")},
                     {"TARGETCODE", QString::fromLatin1(target)}},
                    QStringLiteral("dspStoredProc2"));
    };
    const wire::Answer all = list("99999999");
    ASSERT_FALSE(all.isError()) << all.error.toStdString();
    EXPECT_EQ(column(all, QStringLiteral("AHNUMB")), (QStringList{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(column(all, QStringLiteral("ahadnb_name")),
              (QStringList{"생산센터", "데모음료", "데모제분", "데모포장", "데모제분"}));
    EXPECT_EQ(column(all, QStringLiteral("AHADNB")),
              (QStringList{"0001", "30000001", "40000001", "40000002", "40000001"}));

    const wire::Answer one = list("40000001");
    EXPECT_EQ(column(one, QStringLiteral("AHNAME")), (QStringList{"원재료 발주", "원재료 추가발주"}));
    EXPECT_TRUE(list("30000009").rows.isEmpty());
    EXPECT_EQ(list("30000009").columns.size(), 4);
}

TEST_F(Patterns, LinesCarryUnitsPricesTypeCodesAndCurrentStock)
{
    const wire::Answer a = lines(3, "40000001", 3);
    ASSERT_FALSE(a.isError()) << a.error.toStdString();
    ASSERT_EQ(a.rows.size(), 6);
    EXPECT_EQ(column(a, QStringLiteral("IMITNB")),
              (QStringList{"500001", "500002", "500003", "500004", "500005", "500006"}));
    EXPECT_EQ(column(a, QStringLiteral("ADSEQ")), (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(column(a, QStringLiteral("IMITTY")), QStringList(6, QStringLiteral("5")));
    EXPECT_EQ(column(a, QStringLiteral("ADUNIT")), (QStringList{"포대", "KG", "개", "판", "L", "KG"}));
    EXPECT_EQ(column(a, QStringLiteral("ADUPRC")), (QStringList{"40000", "3000", "9000", "7500", "3000", "8000"}));
    // 강력분: base unit G, pack 포대 of 20000 G; opening stock 100000 G, less
    // 6500 G used by the demo productions (600 G per 1000 G of 식빵반죽 for
    // 10000 G, 100 G per 생크림케이크 for 5).
    EXPECT_EQ(cell(a, 0, QStringLiteral("IMNAME")).toString(), QStringLiteral("강력분"));
    EXPECT_EQ(cell(a, 0, QStringLiteral("ADLDAN")).toString(), QStringLiteral("G"));
    EXPECT_EQ(cell(a, 0, QStringLiteral("ADMDAN")).toString(), QStringLiteral("포대"));
    EXPECT_EQ(cell(a, 0, QStringLiteral("ADMCAL")).toDouble(), 20000);
    EXPECT_EQ(cell(a, 0, QStringLiteral("SoUnitTotalstock")).toString(), QStringLiteral("93,500"));
    EXPECT_EQ(cell(a, 0, QStringLiteral("jjgo")).toDouble(), 40000);
    EXPECT_EQ(cell(a, 0, QStringLiteral("REPTQTY")).toDouble(), 0); // more than the proper stock on hand
    EXPECT_EQ(cell(a, 0, QStringLiteral("PDQTY")).toDouble(), 0);   // no such order
    EXPECT_EQ(a.columns[col(a, QStringLiteral("ADAMT"))].type, wire::Type::Currency);

    // Pattern 1 has no prices of its own: the items' purchase prices per unit ordered.
    const wire::Answer p1 = lines(1, "0001");
    EXPECT_EQ(column(p1, QStringLiteral("ADUPRC")), (QStringList{"1800", "700", "700", "850", "12000", "13000"}));
    EXPECT_EQ(column(p1, QStringLiteral("IMITTY")), QStringList(6, QStringLiteral("1")));

    EXPECT_TRUE(lines(77, "40000001").rows.isEmpty());
}

TEST_F(Patterns, StockCountsReceiptsAndReleasesInBaseUnitsAndOrderedQuantityComesFromTheOrder)
{
    auto lease = server().store().acquire();
    SQLite::Database &db = lease.db();
    const std::string today = db.execAndGet("SELECT strftime('%Y%m%d', 'now', 'localtime')").getString();
    const std::string month = today.substr(0, 6);
    db.exec("INSERT INTO F3100 (WHCMCD, WHBUUT, WHMONTH, WHNUMB, WHDATE) VALUES ('9999', '9999', '" + month
            + "', 901, '" + today + "')");
    // 2 포대 received (40000 G), 1500 G released, 250 G discarded, and a receipt dated tomorrow that does not count yet.
    db.exec("INSERT INTO F3101 (WDCMCD, WDBUUT, WDMONTH, WDNUMB, WDSEQ, WDITNB, WDUNIT, WDQTY, WDMDAN, WDLDAN, WDMCAL)"
            " VALUES ('9999', '9999', '" + month + "', 901, 1, '500001', '포대', 2, '포대', 'G', 20000)");
    db.exec("INSERT INTO F3200 (DHCMCD, DHBUUT, DHMONTH, DHNUMB, DHDATE, DHCHTY) VALUES"
            " ('9999', '9999', '" + month + "', 901, '" + today + "', '001'),"
            " ('9999', '9999', '" + month + "', 902, '" + today + "', '005')");
    db.exec("INSERT INTO F3201 (DDCMCD, DDBUUT, DDMONTH, DDNUMB, DDSEQ, DDITNB, DDUNIT, DDQTY) VALUES"
            " ('9999', '9999', '" + month + "', 901, 1, '500001', 'G', 1500),"
            " ('9999', '9999', '" + month + "', 902, 1, '500001', 'G', 250.5)");
    db.exec("INSERT INTO F3100 (WHCMCD, WHBUUT, WHMONTH, WHNUMB, WHDATE) VALUES ('9999', '9999', '" + month
            + "', 902, '99991231')");
    db.exec("INSERT INTO F3101 (WDCMCD, WDBUUT, WDMONTH, WDNUMB, WDSEQ, WDITNB, WDUNIT, WDQTY)"
            " VALUES ('9999', '9999', '" + month + "', 902, 1, '500001', 'G', 999)");
    // An order of 2 포대 placed from pattern 3 as number 31.
    db.exec("INSERT INTO F2100 (PHCMCD, PHBUUT, PHMONTH, PHNUMB, PHADNB, PHADNUMB) VALUES ('9999', '9999', '" + month
            + "', 31, '40000001', 3)");
    db.exec("INSERT INTO F2101 (PDCMCD, PDBUUT, PDMONTH, PDNUMB, PDSEQ, PDITNB, PDUNIT, PDQTY) VALUES ('9999', '9999', '"
            + month + "', 31, 1, '500001', '포대', 2)");

    const wire::Answer a = lines(3, "40000001", 31);
    const wire::Answer other = lines(3, "40000002", 31); // an order of another supplier is not this pattern's
    db.exec("DELETE FROM F3100 WHERE WHNUMB IN (901, 902); DELETE FROM F3200 WHERE DHNUMB IN (901, 902);"
            " DELETE FROM F2100 WHERE PHNUMB = 31");

    ASSERT_FALSE(a.isError()) << a.error.toStdString();
    EXPECT_EQ(cell(a, 0, QStringLiteral("SoUnitTotalstock")).toString(), QStringLiteral("131,749.5")); // 93500 + 40000 - 1500 - 250.5
    EXPECT_EQ(cell(a, 0, QStringLiteral("PDQTY")).toDouble(), 2);
    EXPECT_EQ(cell(a, 1, QStringLiteral("PDQTY")).toDouble(), 0);
    EXPECT_EQ(cell(other, 0, QStringLiteral("PDQTY")).toDouble(), 0);
}

TEST(StockText, ThousandsAndAtMostTwoDecimals)
{
    const struct {
        double value;
        const char *text;
    } cases[] = {{100000, "100,000"}, {0, "0"}, {1234.5, "1,234.5"}, {999.999, "1,000"}, {-1500.25, "-1,500.25"},
                 {-0.004, "0"}, {12, "12"}, {1234567.8, "1,234,567.8"}};
    for (const auto &c : cases)
        EXPECT_EQ(hq::stockText(c.value), QString::fromUtf8(c.text)) << c.value;
}

} // namespace
