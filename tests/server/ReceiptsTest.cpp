// Warehouse receipts: writing a receipt as the terminal does (one shared
// parameter list for the header and every line), the order line each receipt
// line is tied to, the history and line answers, and closing the remainder of
// the orders a receipt received. The fixture's orders and receipts are dated
// 2010 in the demo store, away from every demo document.

#include "ServerTestUtil.h"

#include <QMap>

using namespace servertest;

namespace {

const QString kCo = QStringLiteral("9999");
const QString kStore = QStringLiteral("9999");

class Receipts : public ServerSuite {
protected:
    void SetUp() override
    {
        exec("DELETE FROM F3101 WHERE WDCMCD = '9999' AND WDMONTH LIKE '2010%';"
             "DELETE FROM F3100 WHERE WHCMCD = '9999' AND WHMONTH LIKE '2010%';"
             "DELETE FROM F2101 WHERE PDCMCD = '9999' AND PDMONTH LIKE '2010%';"
             "DELETE FROM F2100 WHERE PHCMCD = '9999' AND PHMONTH LIKE '2010%';"
             "DELETE FROM F2401 WHERE ODCMCD = '9999' AND ODMONTH LIKE '2010%';"
             "DELETE FROM F2400 WHERE OHCMCD = '9999' AND OHMONTH LIKE '2010%';"
             // Order #7 of January: 강력분 and 설탕 twice; order #7 of February: 설탕 only.
             "INSERT INTO F2100 (PHCMCD, PHBUUT, PHMONTH, PHNUMB, PHDATE, PHADNB) VALUES"
             " ('9999', '9999', '201001', 7, '20100110', '40000001'),"
             " ('9999', '9999', '201002', 7, '20100205', '40000001');"
             "INSERT INTO F2101 (PDCMCD, PDBUUT, PDMONTH, PDNUMB, PDSEQ, PDITNB, PDUNIT, PDQTY) VALUES"
             " ('9999', '9999', '201001', 7, 1, '500001', '포대', 2),"
             " ('9999', '9999', '201001', 7, 2, '500002', 'KG', 5),"
             " ('9999', '9999', '201001', 7, 3, '500002', 'G', 500),"
             " ('9999', '9999', '201002', 7, 1, '500002', 'KG', 3);"
             // Order #8 of February went to unit 0001, which holds its hand-over order.
             "INSERT INTO F2100 (PHCMCD, PHBUUT, PHMONTH, PHNUMB, PHDATE, PHADNB, PHOHBUUT, PHOHMONTH, PHOHNUMB)"
             " VALUES ('9999', '9999', '201002', 8, '20100206', '0001', '0001', '201002', 3);"
             "INSERT INTO F2101 (PDCMCD, PDBUUT, PDMONTH, PDNUMB, PDSEQ, PDITNB, PDUNIT, PDQTY) VALUES"
             " ('9999', '9999', '201002', 8, 1, '500003', '개', 4);"
             "INSERT INTO F2400 (OHCMCD, OHBUUT, OHMONTH, OHNUMB, OHADNB) VALUES"
             " ('9999', '0001', '201002', 3, '9999'), ('9999', '0001', '201002', 4, '9999');");
        m_params.clear();
    }

    static QVariant scalar(const QString &sql)
    {
        auto lease = server().store().acquire();
        SQLite::Statement st(lease.db(), sql.toStdString());
        if (!st.executeStep())
            return {};
        const SQLite::Column c = st.getColumn(0);
        if (c.isNull())
            return {};
        return c.isInteger() ? QVariant(qint64(c.getInt64())) : QVariant(QString::fromStdString(c.getString()));
    }

    // The terminal's shared parameter list: a value set once stays until set again.
    wire::Answer send(std::initializer_list<std::pair<const char *, QVariant>> set)
    {
        for (const auto &p : set)
            m_params[QString::fromUtf8(p.first)] = p.second;
        wire::Request r = request(QStringLiteral("[GP_INSERT_F3100_WAREHOUSEENTRY]"), {},
                                  QStringLiteral("dspStoredProc6"));
        for (auto it = m_params.cbegin(); it != m_params.cend(); ++it) {
            QVariant v = it.value();
            wire::Type t = wire::Type::String;
            if (v.typeId() == QMetaType::Int) {
                v = qint64(v.toInt());
                t = wire::Type::Integer;
            } else if (v.typeId() == QMetaType::Double) {
                t = wire::Type::Float;
            }
            r.params.append({it.key(), t, v});
        }
        return server().dispatcher().handle(r);
    }
    wire::Answer header(const QString &month, int number, const QString &company = kCo,
                        const QString &store = kStore, const QString &partner = QStringLiteral("40000001"))
    {
        return send({{"A_GUBUN", 1}, {"A_WHCMCD", company}, {"A_WHBUUT", store}, {"A_WHMONTH", month},
                     {"A_WHYEAR", month.left(4)}, {"A_WHDATE", month + QStringLiteral("15")}, {"A_WHNUMB", number},
                     {"A_WHADNB", partner}, {"A_WHIBTY", QStringLiteral("001")},
                     {"A_WHBIGO", QStringLiteral("1")}, {"A_WHPOID", QStringLiteral("01")},
                     {"A_WHWORK", QStringLiteral("1001")}, {"A_WHPGID", QStringLiteral("F10021_Warehouse")},
                     {"A_WHCPSEQ", 0}, {"A_Whtxgu", QStringLiteral("3")}, {"A_WHKSGU", QStringLiteral("003")}});
    }
    wire::Answer line(const QString &month, int number, int seq, const char *item, double qty,
                      const QString &orderMonth, int orderNumber, int orderSeq)
    {
        return send({{"A_GUBUN", 2}, {"A_WHKSGU", QString()}, {"A_WDCMCD", kCo}, {"A_WDBUUT", kStore},
                     {"A_WDMONTH", month}, {"A_WDNUMB", number}, {"A_WDSEQ", seq},
                     {"A_WDITNB", QString::fromLatin1(item)}, {"A_WDUNIT", QStringLiteral("KG")}, {"A_WDQTY", qty},
                     {"A_WDUPRC", 20000}, {"A_WDAMT", int(qty * 20000)}, {"A_Wdgamt", int(qty * 20000)},
                     {"A_Wdtax", 0}, {"A_WDBAMONTH", orderMonth}, {"A_WDBANUMB", orderNumber},
                     {"A_WDBASEQ", orderSeq}, {"A_WDWORK", QStringLiteral("1001")},
                     {"A_WDPGID", QStringLiteral("F10021_Warehouse")}, {"A_WdCHBUUT", QStringLiteral("40000001")},
                     {"A_BAQTY", QString::number(qty)}, {"A_EDflYn", QStringLiteral("2")}});
    }

    static wire::Answer history(const QString &from, const QString &to, const QString &name = QString())
    {
        return call(QStringLiteral("[GP_SELECT_F3100_WAREHOUSEENTRY_POS]"),
                    {{"a_cmcd", kCo}, {"a_buut", kStore}, {"a_name", name}, {"a_stdt", from}, {"a_eddt", to},
                     {"a_month", QString()}, {"a_numb", 0}},
                    QStringLiteral("dspStoredProc3"));
    }
    static wire::Answer lines(const QString &month, int number)
    {
        return call(QStringLiteral("[GP_SELECT_F3101_WAREHOUSEENTRY_POS]"),
                    {{"A_CMCD", kCo}, {"A_BUUT", kStore}, {"A_MONTH", month}, {"A_NUMB", number}, {"A_gubun", 1}},
                    QStringLiteral("dspStoredProc5"));
    }
    static wire::Answer closeRemainder(const QString &month, int number)
    {
        return call(QStringLiteral("[GP_UPDATE_F2100_HedOhedfl_NEW]"),
                    {{"COMPCODE", kCo}, {"STORECODE", kStore}, {"a_month", month}, {"Edit1", number},
                     {"OHWORK", QStringLiteral("1001")}, {"OHPGID", QStringLiteral("F10021_Warehouse")},
                     {"Phedfl", 1}},
                    QStringLiteral("dspStoredProc5"));
    }
    static QString reference(const QString &month, int number, int seq)
    {
        const QVariant v = scalar(QStringLiteral("SELECT CASE WHEN WDRFNUMB IS NULL THEN '-' ELSE"
                                                 " WDRFMONTH || '/' || WDRFNUMB || '/' || WDRFSEQ END FROM F3101"
                                                 " WHERE WDCMCD = '9999' AND WDBUUT = '9999' AND WDMONTH = '%1'"
                                                 " AND WDNUMB = %2 AND WDSEQ = %3")
                                      .arg(month)
                                      .arg(number)
                                      .arg(seq));
        return v.toString();
    }

    QMap<QString, QVariant> m_params;
};

} // namespace

TEST_F(Receipts, EachLineIsTiedToTheOrderLineHoldingItsItem)
{
    ASSERT_FALSE(header(QStringLiteral("201002"), 1).isError());
    struct Case {
        const char *item;
        const char *orderMonth;
        int orderNumber;
        int orderSeq;
        const char *expected;
    };
    const Case cases[] = {
        {"500002", "201002", 7, 1, "201002/7/1"}, // the sent line holds the item: taken as sent
        {"500002", "201001", 7, 2, "201001/7/2"}, // an earlier month's order, sent exactly
        {"500002", "201001", 7, 3, "201001/7/3"}, // the item's second line of that order, sent exactly
        {"500001", "201002", 7, 2, "201001/7/1"}, // February's #7 has no 강력분: latest earlier month with it
        {"500002", "201002", 7, 5, "201002/7/1"}, // a renumbered line: by number and item
        {"500002", "200912", 7, 1, "-"},          // no order #7 up to that month
        {"500003", "201002", 7, 1, "-"},          // order #7 never held the item
        {"500003", "201002", 0, 0, "-"},          // a line from a pattern: no order
    };
    int seq = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected);
        ++seq;
        const wire::Answer a = line(QStringLiteral("201002"), 1, seq, c.item, 1.5,
                                    QString::fromLatin1(c.orderMonth), c.orderNumber, c.orderSeq);
        ASSERT_FALSE(a.isError()) << a.error.toStdString();
        EXPECT_EQ(reference(QStringLiteral("201002"), 1, seq), QString::fromLatin1(c.expected));
    }
    // The header's fields stayed as the header sent them although the line
    // calls carried stale header parameters too.
    EXPECT_EQ(scalar(QStringLiteral("SELECT WHKSGU || '|' || WHTXGU || '|' || WHADNB || '|' || WHBIGO FROM F3100"
                                    " WHERE WHCMCD = '9999' AND WHMONTH = '201002' AND WHNUMB = 1"))
                  .toString(),
              QStringLiteral("003|3|40000001|1"));
}

TEST_F(Receipts, AnOrderReceivedInDecimalPartsIsCompleteWhenTheyAddUpToIt)
{
    // 0.8 kg ordered, received as 0.7 and 0.1: in binary floating point the
    // two add up to a hair under 0.8, which must not leave the order open.
    exec("INSERT INTO F2100 (PHCMCD, PHBUUT, PHMONTH, PHNUMB, PHDATE, PHADNB)"
         " VALUES ('9999', '9999', '201002', 9, '20100207', '40000001');"
         "INSERT INTO F2101 (PDCMCD, PDBUUT, PDMONTH, PDNUMB, PDSEQ, PDITNB, PDUNIT, PDQTY)"
         " VALUES ('9999', '9999', '201002', 9, 1, '500002', 'KG', 0.8);");
    ASSERT_FALSE(header(QStringLiteral("201002"), 2).isError());
    ASSERT_FALSE(line(QStringLiteral("201002"), 2, 1, "500002", 0.7, QStringLiteral("201002"), 9, 1).isError());
    ASSERT_FALSE(line(QStringLiteral("201002"), 2, 2, "500002", 0.1, QStringLiteral("201002"), 9, 1).isError());
    EXPECT_EQ(scalar(QStringLiteral("SELECT status || '|' || (remainder = 0) FROM V_PO_LINE_STATE"
                                    " WHERE cmcd = '9999' AND month = '201002' AND numb = 9 AND seq = 1"))
                  .toString(),
              QStringLiteral("입고완료|1"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT status FROM V_PO_STATE WHERE cmcd = '9999' AND month = '201002'"
                                    " AND numb = 9"))
                  .toString(),
              QStringLiteral("입고완료"));
}

TEST_F(Receipts, HistoryAndLinesAnswerWhatWasWritten)
{
    ASSERT_FALSE(header(QStringLiteral("201002"), 12).isError());
    ASSERT_FALSE(line(QStringLiteral("201002"), 12, 1, "500002", 2.5, QStringLiteral("201002"), 7, 1).isError());
    ASSERT_FALSE(line(QStringLiteral("201002"), 12, 2, "500001", 1, QStringLiteral("201002"), 7, 2).isError());
    // Order #8 received from unit 0001 on a receipt of its own.
    ASSERT_FALSE(header(QStringLiteral("201002"), 13, kCo, kStore, QStringLiteral("0001")).isError());
    ASSERT_FALSE(line(QStringLiteral("201002"), 13, 1, "500003", 4, QStringLiteral("201002"), 8, 1).isError());
    // Unit 0001 released the item twice against the hand-over order behind #8.
    exec("DELETE FROM F3201 WHERE DDCMCD = '9999' AND DDMONTH LIKE '2010%';"
         "DELETE FROM F3200 WHERE DHCMCD = '9999' AND DHMONTH LIKE '2010%';"
         "INSERT INTO F3200 (DHCMCD, DHBUUT, DHMONTH, DHNUMB) VALUES ('9999', '0001', '201002', 5), ('9999', '0001', '201002', 6);"
         "INSERT INTO F3201 (DDCMCD, DDBUUT, DDMONTH, DDNUMB, DDSEQ, DDITNB, DDRFMONTH, DDRFNUMB, DDRFSEQ) VALUES"
         " ('9999', '0001', '201002', 5, 1, '500003', '201002', 3, 1),"
         " ('9999', '0001', '201002', 6, 1, '500003', '201002', 3, 1),"
         " ('9999', '0001', '201002', 6, 2, '500003', '201002', 4, 1);");

    const wire::Answer h = history(QStringLiteral("20100201"), QStringLiteral("20100228"));
    ASSERT_FALSE(h.isError()) << h.error.toStdString();
    ASSERT_EQ(h.rows.size(), 2);
    EXPECT_EQ(cell(h, 1, "WHADNB_name").toString(), QStringLiteral("생산센터"));
    EXPECT_EQ(cell(h, 0, "bunho").toString(), QStringLiteral("201002-00012"));
    EXPECT_EQ(cell(h, 0, "ibgo_il").toString(), QStringLiteral("15"));
    EXPECT_EQ(cell(h, 0, "WHADNB_name").toString(), QStringLiteral("데모제분"));
    EXPECT_EQ(cell(h, 0, "WHNUMB").toLongLong(), 12);
    EXPECT_EQ(cell(h, 0, "WHMONTH").toString(), QStringLiteral("201002"));
    EXPECT_EQ(cell(h, 0, "gubun").toLongLong(), 1);
    EXPECT_EQ(cell(h, 0, "WHBIGO").toString(), QStringLiteral("1"));
    EXPECT_EQ(cell(h, 0, "whtxgu").toString(), QStringLiteral("3"));
    // Outside the dates, or another partner's name: nothing, with the columns kept.
    const wire::Answer none = history(QStringLiteral("20100301"), QStringLiteral("20100331"));
    EXPECT_TRUE(none.rows.isEmpty());
    EXPECT_EQ(none.columns.size(), h.columns.size());
    EXPECT_TRUE(history(QStringLiteral("20100201"), QStringLiteral("20100228"), QStringLiteral("가맹")).rows.isEmpty());
    EXPECT_EQ(history(QStringLiteral("20100201"), QStringLiteral("20100228"), QStringLiteral("제분")).rows.size(), 1);

    const wire::Answer l = lines(QStringLiteral("201002"), 12);
    ASSERT_FALSE(l.isError()) << l.error.toStdString();
    EXPECT_EQ(column(l, QStringLiteral("IMNAME")), (QStringList{QStringLiteral("설탕"), QStringLiteral("강력분")}));
    EXPECT_EQ(column(l, QStringLiteral("itty_name")), (QStringList{QStringLiteral("원재료"), QStringLiteral("원재료")}));
    EXPECT_DOUBLE_EQ(cell(l, 0, "wdbaqty").toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(cell(l, 0, "WDQTY").toDouble(), 2.5);
    EXPECT_EQ(cell(l, 0, "WDAMT").toLongLong(), 50000);
    EXPECT_EQ(cell(l, 0, "WDBANUMB").toLongLong(), 7);
    // The order each line received, by its own month.
    EXPECT_EQ(column(l, QStringLiteral("bunho")), (QStringList{QStringLiteral("201002-00007"), QStringLiteral("201001-00007")}));
    // Only a hand-over order has a supplier's release: its latest one.
    EXPECT_EQ(column(l, QStringLiteral("chulgo_bunho")), (QStringList{QString(), QString()}));
    const wire::Answer unit = lines(QStringLiteral("201002"), 13);
    EXPECT_EQ(column(unit, QStringLiteral("IMNAME")), QStringList{QStringLiteral("버터")});
    EXPECT_EQ(column(unit, QStringLiteral("bunho")), QStringList{QStringLiteral("201002-00008")});
    EXPECT_EQ(column(unit, QStringLiteral("chulgo_bunho")), QStringList{QStringLiteral("201002-00006")});
    EXPECT_EQ(cell(l, 1, "ibgo_bunho").toString(), QStringLiteral("201002-00012"));
    EXPECT_EQ(cell(l, 1, "chulgo_name").toString(), QStringLiteral("데모제분"));
    EXPECT_FALSE(cell(l, 1, "ibgo_name").toString().isEmpty());
}

TEST_F(Receipts, HeaderSentAgainReplacesTheReceiptAndItsLines)
{
    // A failed save retried under the same number: the first attempt wrote the
    // header and one line, the retry writes both lines.
    ASSERT_FALSE(header(QStringLiteral("201002"), 3).isError());
    ASSERT_FALSE(line(QStringLiteral("201002"), 3, 1, "500002", 1, QStringLiteral("201002"), 7, 1).isError());
    ASSERT_FALSE(header(QStringLiteral("201002"), 3).isError());
    ASSERT_FALSE(line(QStringLiteral("201002"), 3, 1, "500002", 1, QStringLiteral("201002"), 7, 1).isError());
    ASSERT_FALSE(line(QStringLiteral("201002"), 3, 2, "500001", 2, QStringLiteral("201002"), 7, 2).isError());
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM F3100 WHERE WHCMCD = '9999' AND WHMONTH = '201002'")).toLongLong(), 1);
    EXPECT_EQ(lines(QStringLiteral("201002"), 3).rows.size(), 2);
}

TEST_F(Receipts, BadRowsAreRefusedAndWriteNothing)
{
    EXPECT_TRUE(header(QStringLiteral("201002"), 4, QString(), kStore).isError());
    EXPECT_TRUE(header(QStringLiteral("201002"), 4, kCo, QStringLiteral(" ")).isError());
    EXPECT_TRUE(header(QStringLiteral("2010-2"), 4).isError());
    EXPECT_TRUE(header(QStringLiteral("201002"), 0).isError());
    // A line of a receipt without a header.
    EXPECT_TRUE(line(QStringLiteral("201002"), 5, 1, "500002", 1, QStringLiteral("201002"), 7, 1).isError());
    // A line without company or store.
    ASSERT_FALSE(header(QStringLiteral("201002"), 6).isError());
    EXPECT_TRUE(send({{"A_GUBUN", 2}, {"A_WDCMCD", QString()}, {"A_WDBUUT", kStore}, {"A_WDMONTH", QStringLiteral("201002")},
                      {"A_WDNUMB", 6}, {"A_WDSEQ", 1}, {"A_WDITNB", QStringLiteral("500002")}})
                    .isError());
    EXPECT_TRUE(send({{"A_GUBUN", 4}}).isError());
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM F3100 WHERE WHMONTH LIKE '2010%' OR WHCMCD = ''")).toLongLong(), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM F3101 WHERE WDMONTH LIKE '2010%'")).toLongLong(), 0);
}

TEST_F(Receipts, ClosingTheRemainderClosesTheReceivedOrdersAndTheirHandOver)
{
    // Receipt #20 received order #7 of January (by an exact line), receipt
    // #22 order #8 from unit 0001 (a hand-over); receipt #21 came from a pattern.
    ASSERT_FALSE(header(QStringLiteral("201002"), 20).isError());
    ASSERT_FALSE(line(QStringLiteral("201002"), 20, 1, "500001", 1, QStringLiteral("201001"), 7, 1).isError());
    ASSERT_FALSE(header(QStringLiteral("201002"), 21).isError());
    ASSERT_FALSE(line(QStringLiteral("201002"), 21, 1, "500002", 1, QStringLiteral("201002"), 0, 0).isError());
    ASSERT_FALSE(header(QStringLiteral("201002"), 22, kCo, kStore, QStringLiteral("0001")).isError());
    ASSERT_FALSE(line(QStringLiteral("201002"), 22, 1, "500003", 1, QStringLiteral("201002"), 8, 1).isError());

    const auto closed = [](const char *month, int number) {
        return scalar(QStringLiteral("SELECT PHEDFL || '|' || PHWORK || '|' || PHPGID FROM F2100"
                                     " WHERE PHCMCD = '9999' AND PHBUUT = '9999' AND PHMONTH = '%1' AND PHNUMB = %2")
                          .arg(QString::fromLatin1(month))
                          .arg(number))
            .toString();
    };
    const auto handOvers = [] {
        return scalar(QStringLiteral("SELECT group_concat(OHNUMB || ':' || OHEDFL) FROM"
                                     " (SELECT * FROM F2400 WHERE OHCMCD = '9999' AND OHBUUT = '0001'"
                                     " AND OHMONTH = '201002' ORDER BY OHNUMB)"))
            .toString();
    };
    wire::Answer a = closeRemainder(QStringLiteral("201002"), 20);
    ASSERT_FALSE(a.isError()) << a.error.toStdString();
    EXPECT_EQ(closed("201001", 7), QStringLiteral("1|1001|F10021_Warehouse"));
    EXPECT_EQ(closed("201002", 7), QStringLiteral("0||")); // not received by this receipt
    EXPECT_EQ(closed("201002", 8), QStringLiteral("0||"));
    EXPECT_EQ(handOvers(), QStringLiteral("3:0,4:0"));

    a = closeRemainder(QStringLiteral("201002"), 22);
    ASSERT_FALSE(a.isError()) << a.error.toStdString();
    EXPECT_EQ(closed("201002", 8), QStringLiteral("1|1001|F10021_Warehouse"));
    // Only the hand-over order behind #8 is closed at the supplying unit.
    EXPECT_EQ(handOvers(), QStringLiteral("3:1,4:0"));
    EXPECT_EQ(column(history(QStringLiteral("20100201"), QStringLiteral("20100228")), QStringLiteral("WHBIGO")),
              (QStringList{QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("2")}));

    // A receipt without orders: success, nothing changes; an unknown one is refused.
    EXPECT_FALSE(closeRemainder(QStringLiteral("201002"), 21).isError());
    EXPECT_EQ(closed("201002", 7), QStringLiteral("0||"));
    EXPECT_EQ(column(history(QStringLiteral("20100201"), QStringLiteral("20100228")), QStringLiteral("WHBIGO")),
              (QStringList{QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_TRUE(closeRemainder(QStringLiteral("201002"), 99).isError());
}

TEST_F(Receipts, ALineOfAnotherPartnersOrderIsRefusedAndWritesNothing)
{
    // Order #7 of February went to 40000001 (설탕 3 kg), #8 to unit 0001.
    const auto open = [] {
        return scalar(QStringLiteral("SELECT group_concat(printf('%g', remainder)) FROM V_PO_LINE_STATE"
                                     " WHERE cmcd = '9999' AND month = '201002' AND numb IN (7, 8)"))
            .toString();
    };
    const QString before = open();
    struct Case {
        const char *what;
        const char *partner;
        const char *item;
        int order;
        bool accepted;
    };
    const Case cases[] = {
        {"another supplier's order", "40000002", "500002", 7, false},
        {"the unit's order on a supplier's receipt", "40000001", "500003", 8, false},
        {"a pattern line, of no order", "40000002", "500002", 0, true},
        {"the receipt's own supplier", "40000001", "500002", 7, true},
    };
    int number = 30;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ++number;
        ASSERT_FALSE(header(QStringLiteral("201002"), number, kCo, kStore, QLatin1String(c.partner)).isError());
        const wire::Answer a = line(QStringLiteral("201002"), number, 1, c.item, 1, QStringLiteral("201002"), c.order, 1);
        EXPECT_EQ(a.isError(), !c.accepted) << a.error.toStdString();
        EXPECT_EQ(lines(QStringLiteral("201002"), number).rows.size(), c.accepted ? 1 : 0);
        if (!c.accepted) {
            EXPECT_NE(a.error.indexOf(QStringLiteral("다른 거래처의 발주")), -1) << a.error.toStdString();
            EXPECT_EQ(open(), before);
        }
    }
    EXPECT_NE(open(), before); // the accepted line received a kilo of #7
}
