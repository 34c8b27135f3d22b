// Received orders and releases to customers: the order list with its state,
// the lines with what is left to release, and the release lines that name an
// order line (resolved, priced and split by tax kind on the server).

#include "ServerTestUtil.h"

#include <QDate>
#include <QScopeGuard>

#include <SQLiteCpp/Statement.h>

using namespace servertest;

namespace {

const QString kOrders = QStringLiteral("GP_SELECT_F2400_POPUPSALES");
const QString kOrderLines = QStringLiteral("GP_SELECT_F2401_POPUPSALES");
const QString kInsert = QStringLiteral("GP_INSERT_F3200_DELIVERYENTRY");

class Sales : public ServerSuite {
protected:
    void TearDown() override
    {
        auto lease = server().store().acquire();
        lease.db().exec("DELETE FROM F3201 WHERE DDCMCD = '9999' AND DDNUMB >= 900;"
                        "DELETE FROM F3200 WHERE DHCMCD = '9999' AND DHNUMB >= 900");
    }

    static QString month(int back = 0)
    {
        return QDate::currentDate().addDays(-back).toString(QStringLiteral("yyyyMM"));
    }
    static QString lastMonth()
    {
        return QDate::currentDate().addMonths(-1).toString(QStringLiteral("yyyyMM"));
    }

    // Every open received order (what the release screen lists).
    static wire::Answer openOrders()
    {
        return call(kOrders,
                    {{"a_cmcd", QStringLiteral("9999")}, {"a_buut", QStringLiteral("9999")}, {"a_adnb", QString()},
                     {"a_gubun1", QStringLiteral("2")}, {"a_stdt", QStringLiteral("00000000")},
                     {"a_eddt", QStringLiteral("99999999")}, {"a_gubun2", QStringLiteral("2")}},
                    QStringLiteral("dspStoredProc15"));
    }
    static wire::Answer orderLines(const QString &m, qint64 numb)
    {
        return call(kOrderLines,
                    {{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QStringLiteral("9999")}, {"A_MONTH", m},
                     {"A_NUMB", numb}},
                    QStringLiteral("dspStoredProc13"));
    }
    static QStringList remainders(const QString &m, qint64 numb)
    {
        return column(orderLines(m, numb), QStringLiteral("sujan_qty"));
    }

    // A release header as the release screen sends it (a stock-out: another
    // type, no customer).
    static wire::Answer header(qint64 numb, const QString &customer, const QString &type = QStringLiteral("001"))
    {
        const QString d = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
        return call(kInsert,
                    {{"A_GUBUN", 1}, {"A_DHCMCD", QStringLiteral("9999")}, {"A_DHBUUT", QStringLiteral("9999")},
                     {"A_DHMONTH", month()}, {"A_DHNUMB", numb}, {"A_DHYEAR", d.left(4)}, {"A_DHDATE", d},
                     {"A_DHADNB", customer}, {"A_DHCHTY", type}, {"A_DHSEME", QString()},
                     {"A_DHBIGO", QString()}, {"A_DHPOID", QStringLiteral("99")}, {"A_DHpdfl", false},
                     {"A_DHKENUMB", 0}, {"A_DHKMNUMB", QString()}, {"A_DHWORK", QStringLiteral("90000001")},
                     {"A_DHPGID", QStringLiteral("F10051_deliver")}},
                    QStringLiteral("dspStoredProc6"));
    }
    // A release line naming received-order line (suMonth, suNumb, suSeq);
    // price and amount are not set, as the release screen leaves them.
    static wire::Answer line(qint64 numb, qint64 seq, const QString &item, double qty, const QString &suMonth,
                             qint64 suNumb, qint64 suSeq, const QVariant &price = QVariant())
    {
        return call(kInsert,
                    {{"A_GUBUN", 2}, {"A_DDCMCD", QStringLiteral("9999")}, {"A_DDBUUT", QStringLiteral("9999")},
                     {"A_DDMONTH", month()}, {"A_DDNUMB", numb}, {"A_DDSEQ", seq}, {"A_DDITNB", item},
                     {"A_DDUNIT", QStringLiteral("EA")}, {"A_DDQTY", qty}, {"A_DDUPRC", price},
                     {"A_DDSUMONTH", suMonth}, {"A_DDSUNUMB", suNumb}, {"A_DDSUSEQ", suSeq},
                     {"A_DDWORK", QStringLiteral("90000001")}, {"A_DDPGID", QStringLiteral("F10051_deliver")},
                     {"a_edflyn", QStringLiteral("2")}},
                    QStringLiteral("dspStoredProc6"));
    }
    static QStringList row(const QString &sql)
    {
        auto lease = server().store().acquire();
        SQLite::Statement st(lease.db(), sql.toStdString());
        QStringList out;
        if (st.executeStep())
            for (int i = 0; i < st.getColumnCount(); ++i)
                out << QString::fromStdString(st.getColumn(i).getString());
        return out;
    }
};

} // namespace

TEST_F(Sales, OpenOrdersAndLinesShowWhatIsLeftToRelease)
{
    const wire::Answer open = openOrders();
    ASSERT_OK(open);
    // #3 was released in full by release #1; by delivery day (#50 of job-order
    // entry's demo is due today as #1 is).
    EXPECT_EQ(column(open, QStringLiteral("OHNUMB")), (QStringList{"90", "1", "50", "2"}));
    EXPECT_EQ(column(open, QStringLiteral("oHADNB_name")), (QStringList{"가맹1호", "가맹1호", "카페데모", "카페데모"}));
    EXPECT_EQ(column(open, QStringLiteral("OHADNB")), (QStringList{"0003", "0003", "20000001", "20000001"}));
    EXPECT_EQ(cell(open, 1, "OHNYDT2").toString(), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    EXPECT_EQ(cell(open, 1, "bunho").toString(), month(1) + QStringLiteral("-00001"));
    EXPECT_EQ(cell(open, 1, "OHedfl").toString(), QStringLiteral("수주"));
    EXPECT_EQ(cell(open, 1, "oxtxgu").toString(), QStringLiteral("1"));

    const wire::Answer lines = orderLines(month(1), 1);
    ASSERT_OK(lines);
    EXPECT_EQ(column(lines, QStringLiteral("ODITNB")), (QStringList{"100001", "100002", "100005"}));
    EXPECT_EQ(column(lines, QStringLiteral("sujan_qty")), (QStringList{"10", "20", "2"}));
    EXPECT_EQ(column(lines, QStringLiteral("ODUPRC")), (QStringList{"1800", "700", "12000"}));
    EXPECT_EQ(column(lines, QStringLiteral("imitty_name")), (QStringList{"제품", "제품", "제품"}));
    EXPECT_EQ(cell(lines, 0, "suju_name").toString(), QStringLiteral("데모지점"));
    EXPECT_EQ(cell(lines, 0, "balju_name").toString(), QStringLiteral("가맹1호"));

    // The whole list by order day shows the released order with its state.
    const wire::Answer all = call(kOrders, {{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QStringLiteral("9999")},
                                            {"a_name", QStringLiteral("직영")}, {"a_gubun1", QStringLiteral("1")},
                                            {"a_stdt", QString()}, {"a_eddt", QString()},
                                            {"a_gubun2", QStringLiteral("1")}});
    EXPECT_EQ(column(all, QStringLiteral("OHNUMB")), QStringList{"3"});
    EXPECT_EQ(column(all, QStringLiteral("OHedfl")), QStringList{"출고완료"});
    EXPECT_EQ(column(orderLines(month(5), 3), QStringLiteral("chulgo_qty")), QStringList{"10"});
}

TEST_F(Sales, ReleaseLinesNameTheirOrderLineTakeItsPriceAndSplitTheAmount)
{
    ASSERT_OK(header(901, QStringLiteral("0003")));
    // As sent: the order's month, number and lines 1 and 2; no price, no amount.
    ASSERT_OK(line(901, 1, QStringLiteral("100001"), 10, month(1), 1, 1));
    ASSERT_OK(line(901, 2, QStringLiteral("100002"), 20, month(1), 1, 2));
    EXPECT_EQ(row(QStringLiteral("SELECT DDRFMONTH, DDRFNUMB, DDRFSEQ, DDUPRC, DDAMT, DDGAMT, DDTAX FROM F3201"
                                 " WHERE DDNUMB = 901 AND DDSEQ = 1")),
              (QStringList{month(1), "1", "1", "1800", "18000", "16363", "1637"}));
    EXPECT_EQ(row(QStringLiteral("SELECT DDUPRC, DDAMT, DDGAMT, DDTAX FROM F3201 WHERE DDNUMB = 901 AND DDSEQ = 2")),
              (QStringList{"700", "14000", "12727", "1273"}));
    EXPECT_EQ(remainders(month(1), 1), (QStringList{"0", "0", "2"}));
    EXPECT_EQ(column(openOrders(), QStringLiteral("OHNUMB")), (QStringList{"90", "1", "50", "2"}));

    // The last 2: the order is done and leaves the open list.
    ASSERT_OK(header(902, QStringLiteral("0003")));
    ASSERT_OK(line(902, 1, QStringLiteral("100005"), 2, month(1), 1, 3));
    EXPECT_EQ(column(openOrders(), QStringLiteral("OHNUMB")), (QStringList{"90", "50", "2"}));
}

TEST_F(Sales, ReferencesResolveByMonthLineAndItemAndAPriceSentIsKept)
{
    ASSERT_OK(header(903, QStringLiteral("0003")));
    const struct {
        const char *what;
        qint64 seq;
        QString item, suMonth;
        qint64 suNumb, suSeq;
        QVariant price;
        QStringList stored; // DDRFMONTH, DDRFNUMB, DDRFSEQ, DDUPRC, DDAMT
    } cases[] = {
        // An order of the previous month named with this month: the latest month up to it.
        {"earlier month", 1, QStringLiteral("100002"), month(), 90, 1, QVariant(), {lastMonth(), "90", "1", "700", "3500"}},
        // The sent line holds another item: the order's line of this item.
        {"other line", 2, QStringLiteral("100005"), month(1), 1, 1, QVariant(), {month(1), "1", "3", "12000", "60000"}},
        // A price sent is kept.
        {"price sent", 3, QStringLiteral("100001"), month(1), 1, 1, 1500, {month(1), "1", "1", "1500", "7500"}},
        // No order holds the item, or no order named: no reference.
        {"no such item", 4, QStringLiteral("100006"), month(1), 1, 1, QVariant(), {"", "", "", "0", "0"}},
        {"no order", 5, QStringLiteral("100001"), month(), 0, 5, 900, {"", "", "", "900", "4500"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_OK(line(903, c.seq, c.item, 5, c.suMonth, c.suNumb, c.suSeq, c.price));
        EXPECT_EQ(row(QStringLiteral("SELECT COALESCE(DDRFMONTH, ''), COALESCE(DDRFNUMB, ''), COALESCE(DDRFSEQ, ''),"
                                     " DDUPRC, DDAMT FROM F3201 WHERE DDNUMB = 903 AND DDSEQ = %1")
                          .arg(c.seq)),
                  c.stored);
    }
    EXPECT_EQ(remainders(lastMonth(), 90), QStringList{"0"});
    EXPECT_EQ(column(openOrders(), QStringLiteral("OHNUMB")), (QStringList{"1", "50", "2"}));

    // The retried release (header again) leaves one release, and the orders' remainders back.
    ASSERT_OK(header(903, QStringLiteral("0003")));
    EXPECT_EQ(remainders(lastMonth(), 90), QStringList{"5"});
}

TEST_F(Sales, AmountsSplitByTheCustomersTaxKind)
{
    // 20000001 카페데모 kind 1, 30000001 데모음료 kind 2, 40000001 데모제분 kind 3.
    const struct {
        qint64 numb;
        QString customer;
        QStringList split; // DDAMT, DDGAMT, DDTAX of 3 x 11
    } cases[] = {{904, QStringLiteral("20000001"), {"33", "30", "3"}},
                 {905, QStringLiteral("30000001"), {"33", "33", "3"}},
                 {906, QStringLiteral("40000001"), {"33", "33", "0"}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.numb);
        ASSERT_OK(header(c.numb, c.customer));
        ASSERT_OK(line(c.numb, 1, QStringLiteral("100001"), 3, month(), 0, 1, 11));
        EXPECT_EQ(row(QStringLiteral("SELECT DDAMT, DDGAMT, DDTAX FROM F3201 WHERE DDNUMB = %1").arg(c.numb)), c.split);
    }
}

TEST_F(Sales, AnOrderReleasedInDecimalPartsIsDoneWhenTheyAddUpToIt)
{
    // 0.8 kg ordered, released as 0.7 and 0.1: in binary floating point the
    // two add up to a hair under 0.8, which must not leave the order open.
    {
        auto lease = server().store().acquire();
        lease.db().exec("INSERT INTO F2400 (OHCMCD, OHBUUT, OHMONTH, OHNUMB, OHYEAR, OHDATE, OHADNB, OHNYDT, OHTXGU,"
                        " OHEDFL, OHPOID, OHWORK, OHPGID, OHLADT)"
                        " VALUES ('9999', '9999', '" + month().toStdString() + "', 950, '', '', '0003', '', '1', 0,"
                        " '99', '', '', '');"
                        "INSERT INTO F2401 (ODCMCD, ODBUUT, ODMONTH, ODNUMB, ODSEQ, ODITNB, ODUNIT, ODQTY, ODUPRC,"
                        " ODAMT, ODGAMT, ODTAX, ODBDAN, ODMDAN, ODLDAN, ODMCAL, ODLADT)"
                        " VALUES ('9999', '9999', '" + month().toStdString() + "', 950, 1, '100005', 'EA', 0.8,"
                        " 10, 8, 7, 1, 'EA', 'EA', 'EA', 1, '')");
    }
    const auto cleanUp = qScopeGuard([] {
        auto lease = server().store().acquire();
        lease.db().exec("DELETE FROM F2401 WHERE ODCMCD = '9999' AND ODNUMB = 950;"
                        "DELETE FROM F2400 WHERE OHCMCD = '9999' AND OHNUMB = 950");
    });
    ASSERT_OK(header(907, QStringLiteral("0003")));
    ASSERT_OK(line(907, 1, QStringLiteral("100005"), 0.7, month(), 950, 1));
    ASSERT_OK(line(907, 2, QStringLiteral("100005"), 0.1, month(), 950, 1));

    const wire::Answer lines = orderLines(month(), 950);
    ASSERT_OK(lines);
    EXPECT_EQ(cell(lines, 0, "sujan_qty").toDouble(), 0.0);
    EXPECT_EQ(cell(lines, 0, "gubun").toString(), QStringLiteral("출고완료"));
    EXPECT_FALSE(column(openOrders(), QStringLiteral("OHNUMB")).contains(QStringLiteral("950")));
}

TEST_F(Sales, AReleaseLineOfAnotherCustomersOrderIsRefusedAndWritesNothing)
{
    // Received order #1 (yesterday's month) is customer 0003's.
    const QStringList before = remainders(month(1), 1);
    const struct {
        const char *what;
        qint64 numb;
        QString customer, type;
        bool accepted;
    } cases[] = {
        {"another customer", 910, QStringLiteral("0004"), QStringLiteral("001"), false},
        {"a stock-out naming the order", 911, QString(), QStringLiteral("004"), true},
        {"the order's customer", 912, QStringLiteral("0003"), QStringLiteral("001"), true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_OK(header(c.numb, c.customer, c.type));
        const wire::Answer a = line(c.numb, 1, QStringLiteral("100001"), 1, month(1), 1, 1);
        EXPECT_EQ(a.isError(), !c.accepted) << a.error.toStdString();
        EXPECT_EQ(row(QStringLiteral("SELECT COUNT(*) FROM F3201 WHERE DDCMCD = '9999' AND DDNUMB = %1").arg(c.numb)),
                  QStringList{c.accepted ? "1" : "0"});
        if (!c.accepted) {
            EXPECT_NE(a.error.indexOf(QStringLiteral("다른 거래처의 수주")), -1) << a.error.toStdString();
            EXPECT_EQ(remainders(month(1), 1), before);
        }
    }
}
