// Writing purchase orders row by row: header, lines and the hand-over to a
// supplying business unit, a header sent again (retry or modification) and
// the refusals that keep received or released goods and other orders intact.

#include "ServerTestUtil.h"

#include <SQLiteCpp/Database.h>

using namespace servertest;

namespace {

const QString kMonth = QStringLiteral("203102");
const QString kDay = QStringLiteral("20310210");

class PurchaseEntry : public ServerSuite {
protected:
    void TearDown() override
    {
        exec("DELETE FROM F3101 WHERE WDMONTH = '203102'; DELETE FROM F3100 WHERE WHMONTH = '203102';"
             "DELETE FROM F3201 WHERE DDMONTH = '203102'; DELETE FROM F3200 WHERE DHMONTH = '203102';"
             "DELETE FROM F2401 WHERE ODMONTH = '203102'; DELETE FROM F2400 WHERE OHMONTH = '203102';"
             "DELETE FROM F2101 WHERE PDMONTH = '203102'; DELETE FROM F2100 WHERE PHMONTH = '203102';"
             "DELETE FROM SYS_NUMBER WHERE NBMONTH = '203102'");
    }

    static std::string text(const std::string &query)
    {
        auto lease = server().store().acquire();
        return lease.db().execAndGet(query).getString();
    }

    static wire::Answer header(qint64 numb, const QString &supplier, qint64 pattern = 1)
    {
        return call(QStringLiteral("[GP_INSERT_F2100_PURCHASEENTRY]"),
                    {{"A_GUBUN", 1}, {"A_PHCMCD", QStringLiteral("9999")}, {"A_PHBUUT", QStringLiteral("9999")},
                     {"A_PHMONTH", kMonth}, {"A_PHNUMB", numb}, {"A_PHYEAR", QStringLiteral("2031")},
                     {"A_PHDATE", kDay}, {"A_PHADNB", supplier}, {"A_PHBATY", QStringLiteral("001")},
                     {"A_PHNYDT", QStringLiteral("20310212")}, {"A_PHUAMT", 0}, {"A_PHADNUMB", pattern},
                     {"A_PHPOID", QStringLiteral("99")}, {"A_PHedfl", false}, {"A_PHWORK", QStringLiteral("90000001")},
                     {"A_PHPGID", QStringLiteral("F652_RegOrder")}, {"A_PHTXGU", QStringLiteral("1")},
                     // stale line values of an earlier call: ignored by a header
                     {"A_PDNUMB", 777}, {"A_PDSEQ", 9}},
                    QStringLiteral("dspStoredProc5"));
    }
    static wire::Answer line(qint64 numb, qint64 seq, const QString &item, double qty, qint64 price)
    {
        const qint64 amount = qint64(qty * double(price));
        return call(QStringLiteral("[GP_INSERT_F2100_PURCHASEENTRY]"),
                    {{"A_GUBUN", 2}, {"A_PDCMCD", QStringLiteral("9999")}, {"A_PDBUUT", QStringLiteral("9999")},
                     {"A_PDMONTH", kMonth}, {"A_PDNUMB", numb}, {"A_PDSEQ", seq}, {"A_PDITNB", item},
                     {"A_PDUNIT", QStringLiteral("EA")}, {"A_PDQTY", qty}, {"A_PDUPRC", price}, {"A_PDAMT", amount},
                     {"A_pdgamt", amount * 10 / 11}, {"A_pdtax", amount - amount * 10 / 11},
                     {"A_PDIBMONTH", QString()}, {"A_PDIBSEQ", QString()}, {"A_PDIBNUMB", 0},
                     {"A_PDWORK", QStringLiteral("90000001")}, {"A_PDPGID", QStringLiteral("F652_RegOrder")},
                     // stale header values: ignored by a line
                     {"A_PHNUMB", 555}, {"A_PHADNB", QStringLiteral("40000001")}},
                    QStringLiteral("dspStoredProc5"));
    }
    static wire::Answer handOver(qint64 numb, const QString &supplier)
    {
        return call(QStringLiteral("[GP_INSERT_F2100_PURCHASEENTRY]"),
                    {{"A_GUBUN", 3}, {"A_PHCMCD", QStringLiteral("9999")}, {"A_PHBUUT", QStringLiteral("9999")},
                     {"A_PHMONTH", kMonth}, {"A_PHNUMB", numb}, {"A_PHADNB", supplier}},
                    QStringLiteral("dspStoredProc5"));
    }

    // Header, two lines and the hand-over of order numb to supplier; every call must succeed.
    static void place(qint64 numb, const QString &supplier, double firstQty = 2)
    {
        for (const wire::Answer &a : {header(numb, supplier), line(numb, 1, QStringLiteral("100001"), firstQty, 1800),
                                      line(numb, 2, QStringLiteral("100002"), 3, 700), handOver(numb, supplier)})
            ASSERT_TRUE(a.error.isEmpty()) << a.error.toStdString();
    }

    static std::string receivedLines()
    {
        return text("SELECT COALESCE(group_concat(ODSEQ || ':' || ODITNB || 'x' || ODQTY || '=' || ODAMT, ' '), '')"
                    " FROM (SELECT * FROM F2401 WHERE ODBUUT = '0001' AND ODMONTH = '203102' ORDER BY ODNUMB, ODSEQ)");
    }
};

TEST_F(PurchaseEntry, AnOrderToABusinessUnitIsHandedOverAsItsReceivedOrder)
{
    place(10, QStringLiteral("0001"));
    EXPECT_EQ(text("SELECT PHADNB || '/' || PHADNUMB || '/' || PHNYDT || '/' || PHOHBUUT || '-' || PHOHMONTH || '-'"
                   " || PHOHNUMB FROM F2100 WHERE PHMONTH = '203102' AND PHNUMB = 10"),
              "0001/1/20310212/0001-203102-1");
    EXPECT_EQ(text("SELECT group_concat(PDSEQ || ':' || PDAMT || '/' || PDGAMT || '/' || PDTAX, ' ') FROM F2101"
                   " WHERE PDMONTH = '203102' AND PDNUMB = 10"),
              "1:3600/3272/328 2:2100/1909/191");
    EXPECT_EQ(text("SELECT OHNUMB || '/' || OHADNB || '/' || OHDATE || '/' || OHNYDT || '/' || OHTXGU || '/' || OHBABUUT"
                   " || '-' || OHBAMONTH || '-' || OHBANUMB FROM F2400 WHERE OHBUUT = '0001' AND OHMONTH = '203102'"),
              "1/9999/20310210/20310212/1/9999-203102-10");
    EXPECT_EQ(receivedLines(), "1:100001x2.0=3600 2:100002x3.0=2100");

    // A second order draws the unit's next number.
    place(11, QStringLiteral("0001"));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2400 WHERE OHBUUT = '0001' AND OHMONTH = '203102'"), 2);
    EXPECT_EQ(scalar("SELECT OHNUMB FROM F2400 WHERE OHBANUMB = 11 AND OHBAMONTH = '203102'"), 2);
}

TEST_F(PurchaseEntry, AHeaderSentAgainReplacesTheOrderAndItsHandOverUnderTheSameKeys)
{
    place(10, QStringLiteral("0001"));
    // The modification: one line only, another quantity.
    for (const wire::Answer &a : {header(10, QStringLiteral("0001")), line(10, 1, QStringLiteral("100001"), 5, 1800),
                                  handOver(10, QStringLiteral("0001"))})
        ASSERT_TRUE(a.error.isEmpty()) << a.error.toStdString();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2101 WHERE PDMONTH = '203102' AND PDNUMB = 10"), 1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2400 WHERE OHMONTH = '203102'"), 1);
    EXPECT_EQ(receivedLines(), "1:100001x5.0=9000");

    // A line sent twice (a retry after a lost answer) stays one line.
    ASSERT_TRUE(line(10, 1, QStringLiteral("100001"), 6, 1800).error.isEmpty());
    EXPECT_EQ(text("SELECT group_concat(PDQTY) FROM F2101 WHERE PDMONTH = '203102' AND PDNUMB = 10"), "6.0");
}

TEST_F(PurchaseEntry, RefusalsLeaveTheOrderOnFileAsItWas)
{
    place(10, QStringLiteral("0001"));
    place(12, QStringLiteral("40000001"));
    const std::string before = text("SELECT group_concat(PDNUMB || ':' || PDSEQ || ':' || PDQTY, ' ') FROM F2101"
                                    " WHERE PDMONTH = '203102'");

    // Another supplier under a number on file.
    wire::Answer a = header(12, QStringLiteral("30000001"));
    EXPECT_FALSE(a.error.isEmpty());

    // Goods received against order 12.
    exec("INSERT INTO F3100 (WHCMCD, WHBUUT, WHMONTH, WHNUMB, WHDATE) VALUES ('9999', '9999', '203102', 1, '20310211');"
         "INSERT INTO F3101 (WDCMCD, WDBUUT, WDMONTH, WDNUMB, WDSEQ, WDITNB, WDQTY, WDRFMONTH, WDRFNUMB, WDRFSEQ)"
         " VALUES ('9999', '9999', '203102', 1, 1, '100001', 1, '203102', 12, 1)");
    a = header(12, QStringLiteral("40000001"));
    EXPECT_TRUE(a.error.contains(QStringLiteral("입고된 발주"))) << a.error.toStdString();

    // The unit released against order 10's hand-over.
    exec("INSERT INTO F3200 (DHCMCD, DHBUUT, DHMONTH, DHNUMB, DHDATE, DHCHTY) VALUES ('9999', '0001', '203102', 1,"
         " '20310211', '001');"
         "INSERT INTO F3201 (DDCMCD, DDBUUT, DDMONTH, DDNUMB, DDSEQ, DDITNB, DDQTY, DDRFMONTH, DDRFNUMB, DDRFSEQ)"
         " VALUES ('9999', '0001', '203102', 1, 1, '100001', 1, '203102', 1, 1)");
    for (const wire::Answer &refused : {header(10, QStringLiteral("0001")), handOver(10, QStringLiteral("0001"))})
        EXPECT_TRUE(refused.error.contains(QStringLiteral("출고된 수주"))) << refused.error.toStdString();

    EXPECT_EQ(text("SELECT group_concat(PDNUMB || ':' || PDSEQ || ':' || PDQTY, ' ') FROM F2101"
                   " WHERE PDMONTH = '203102'"),
              before);
    EXPECT_EQ(receivedLines(), "1:100001x2.0=3600 2:100002x3.0=2100");
}

TEST_F(PurchaseEntry, GoodsOfAnotherOrderOfTheSameNumberDoNotBlockTheOrder)
{
    place(10, QStringLiteral("0001"));
    place(12, QStringLiteral("40000001"));
    // A receipt line that named order 12 of this month but was resolved to
    // order 12 of the month before (the one holding the item), and a release
    // at the unit whose line names its received order #1 by the release's
    // own month while it released #1 of the month before.
    exec("INSERT INTO F3100 (WHCMCD, WHBUUT, WHMONTH, WHNUMB, WHDATE) VALUES ('9999', '9999', '203102', 1, '20310211');"
         "INSERT INTO F3101 (WDCMCD, WDBUUT, WDMONTH, WDNUMB, WDSEQ, WDITNB, WDQTY, WDBAMONTH, WDBANUMB, WDBASEQ,"
         " WDRFMONTH, WDRFNUMB, WDRFSEQ) VALUES ('9999', '9999', '203102', 1, 1, '100009', 1, '203102', 12, 1,"
         " '203101', 12, 1);"
         "INSERT INTO F3200 (DHCMCD, DHBUUT, DHMONTH, DHNUMB, DHDATE, DHCHTY) VALUES ('9999', '0001', '203102', 1,"
         " '20310211', '001');"
         "INSERT INTO F3201 (DDCMCD, DDBUUT, DDMONTH, DDNUMB, DDSEQ, DDITNB, DDQTY, DDSUMONTH, DDSUNUMB, DDSUSEQ,"
         " DDRFMONTH, DDRFNUMB, DDRFSEQ) VALUES ('9999', '0001', '203102', 1, 1, '100009', 1, '203102', 1, 1,"
         " '203101', 1, 1)");

    for (const wire::Answer &a : {header(12, QStringLiteral("40000001")), header(10, QStringLiteral("0001")),
                                  handOver(10, QStringLiteral("0001"))})
        EXPECT_TRUE(a.error.isEmpty()) << a.error.toStdString();
    const wire::Answer deleted = call(QStringLiteral("[GP_DELETE_F2100_PURCHASEENTRY]"),
                                      {{"PHCMCD", QStringLiteral("9999")}, {"PHBUUT", QStringLiteral("9999")},
                                       {"PHMONTH", kMonth}, {"PHNUMB", 10}, {"WORK", QStringLiteral("90000001")},
                                       {"PGID", QStringLiteral("F652_RegOrder")}});
    EXPECT_TRUE(deleted.error.isEmpty()) << deleted.error.toStdString();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2400 WHERE OHMONTH = '203102'"), 0);
}

TEST_F(PurchaseEntry, WhatIsWrittenAndWhatNotForEachRowKind)
{
    // A line without its header, and an unknown row kind, are refused.
    EXPECT_FALSE(line(20, 1, QStringLiteral("100001"), 1, 1800).error.isEmpty());
    EXPECT_FALSE(call(QStringLiteral("[GP_INSERT_F2100_PURCHASEENTRY]"), {{"A_GUBUN", 4}}).error.isEmpty());
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2101 WHERE PDMONTH = '203102'"), 0);

    // The hand-over of an order to a supplier, to no one or to an unknown unit writes nothing.
    place(20, QStringLiteral("40000001"));
    ASSERT_TRUE(header(21, QString()).error.isEmpty());
    const struct {
        qint64 numb;
        QString supplier;
    } nothing[] = {{20, QStringLiteral("40000001")}, {21, QString()}, {21, QStringLiteral("0777")}};
    for (const auto &c : nothing) {
        SCOPED_TRACE(c.supplier.toStdString());
        EXPECT_TRUE(handOver(c.numb, c.supplier).error.isEmpty());
    }
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2400 WHERE OHMONTH = '203102'"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2100 WHERE PHMONTH = '203102' AND PHOHNUMB IS NOT NULL"), 0);
    // The stale values of the other row kinds were not read.
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2100 WHERE PHNUMB IN (555, 777)"), 0);
    EXPECT_EQ(text("SELECT PHADNB FROM F2100 WHERE PHMONTH = '203102' AND PHNUMB = 20"), "40000001");
}

} // namespace
