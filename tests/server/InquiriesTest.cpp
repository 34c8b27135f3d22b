// The inquiry screens' category lists, and the demo documents that give every
// page of the document history something to list.

#include "ServerTestUtil.h"
#include "Store.h"

#include <QDate>

#include <string>

using namespace servertest;

namespace {

class Inquiries : public ServerSuite {
protected:
    static wire::Answer majors()
    {
        return call(QStringLiteral("[GP_SELECT_F0060_StockDetail_SengSang_Search]"),
                    {{"COMPCODE", QStringLiteral("9999")}, {"STORECODE", QStringLiteral("9999")}},
                    QStringLiteral("dspStoredProc10"));
    }
    static wire::Answer middles(const QString &major)
    {
        return call(QStringLiteral("[GP_SELECT_F0061_StockDetail_SengSang_Search]"),
                    {{"COMPCODE", QStringLiteral("9999")}, {"STORECODE", QStringLiteral("9999")}, {"Edit2", major}},
                    QStringLiteral("dspStoredProc11"));
    }

    static QString day(const QDate &d) { return d.toString(QStringLiteral("yyyyMMdd")); }

    // A history page's header search over [from, to] as the screen sends it.
    static wire::Answer headers(const char *procedure, const QDate &from, const QDate &to, const char *gubun1 = "1")
    {
        const QString p = QString::fromLatin1(procedure);
        if (p.contains(QLatin1String("F3100")) || p.contains(QLatin1String("F3200")))
            return call(p, {{"a_cmcd", QStringLiteral("9999")}, {"a_buut", QStringLiteral("9999")}, {"a_name", QString()},
                            {"a_stdt", day(from)}, {"a_eddt", day(to)}, {"a_month", QString()}, {"a_numb", 0}});
        return call(p, {{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QStringLiteral("9999")}, {"a_name", QString()},
                        {"a_gubun1", QString::fromLatin1(gubun1)}, {"a_stdt", day(from)}, {"a_eddt", day(to)},
                        {"a_gubun2", QStringLiteral("1")}});
    }
    static wire::Answer lines(const char *procedure, const QString &month)
    {
        return call(QString::fromLatin1(procedure), {{"A_CMCD", QStringLiteral("9999")},
                                                     {"A_BUUT", QStringLiteral("9999")},
                                                     {"A_MONTH", month},
                                                     {"A_NUMB", 60}});
    }
};

TEST_F(Inquiries, ProductionCategoriesAreTheProductionMajorsAndTheMiddlesOfOne)
{
    const wire::Answer m = majors();
    ASSERT_OK(m);
    EXPECT_EQ(column(m, QStringLiteral("GKGKID")), (QStringList{"201", "202"}));
    EXPECT_EQ(column(m, QStringLiteral("GKNAME")), (QStringList{"제빵생산", "케이크생산"}));

    const struct {
        const char *major;
        QStringList ids, names;
    } cases[] = {
        {"201", {"001", "002"}, {"반죽", "빵류"}},
        {"202", {"001", "002"}, {"크림", "케이크류"}},
        {"301", {}, {}}, // a material category is no production category
        {"", {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.major);
        const wire::Answer a = middles(QString::fromLatin1(c.major));
        ASSERT_OK(a);
        EXPECT_EQ(column(a, QStringLiteral("MKMKID")), c.ids);
        EXPECT_EQ(column(a, QStringLiteral("MKNAME")), c.names);
        EXPECT_GE(col(a, QStringLiteral("MKNAME")), 0); // an empty answer still carries its columns
    }
}

// Six days back an order and a received order, both closed, with a line of
// every item type; in the previous month (days 10 and 12) a receipt and a
// release. No other demo document falls on these days.
TEST_F(Inquiries, TheDemoHistoryHasADocumentForEveryPage)
{
    const QDate sixBack = QDate::currentDate().addDays(-6);
    const QDate aMonthBack = QDate::currentDate().addMonths(-1);
    const QDate lastMonth(aMonthBack.year(), aMonthBack.month(), 1);
    const QStringList everyType{"제품", "반제품", "상품", "원재료", "부재료"};
    const struct {
        const char *headers, *lines;
        QDate day;
        const char *partnerField, *partner, *taxField, *tax, *lineField;
        QStringList lineValues;
    } pages[] = {
        {"GP_SELECT_F2100_POPUPPURCHASE", "GP_SELECT_F2101_POPUPPURCHASE", sixBack, "PHADNB_name", "데모포장", "PHtxgu",
         "2", "imitty_name", everyType},
        {"GP_SELECT_F2400_POPUPSALES", "GP_SELECT_F2401_POPUPSALES", sixBack, "oHADNB_name", "카페데모", "oxtxgu", "1",
         "imitty_name", everyType},
        {"GP_SELECT_F3100_WAREHOUSEENTRY_POS", "GP_SELECT_F3101_WAREHOUSEENTRY_POS", lastMonth.addDays(9),
         "WHADNB_name", "데모제분", "whtxgu", "3", "WDAMT", {"15000", "16000"}},
        {"GP_SELECT_F3200_DELIVERYENTRY_POS", "GP_SELECT_F3201_DELIVERYENTRY", lastMonth.addDays(11), "DHADNB_name",
         "카페데모", "DHTXGU", "1", "DDAMT", {"2100", "2400"}},
    };
    for (const auto &p : pages) {
        SCOPED_TRACE(p.headers);
        const QString month = p.day.toString(QStringLiteral("yyyyMM"));
        const wire::Answer h = headers(p.headers, p.day, p.day);
        ASSERT_OK(h);
        EXPECT_EQ(column(h, QStringLiteral("bunho")), QStringList{month + "-00060"});
        EXPECT_EQ(column(h, QString::fromLatin1(p.partnerField)), QStringList{QString::fromUtf8(p.partner)});
        EXPECT_EQ(column(h, QString::fromLatin1(p.taxField)), QStringList{QString::fromLatin1(p.tax)});
        EXPECT_EQ(column(lines(p.lines, month), QString::fromLatin1(p.lineField)), p.lineValues);
    }
    // The two closed orders stay off the open lists.
    EXPECT_TRUE(headers("GP_SELECT_F2100_POPUPPURCHASE", sixBack, sixBack, "2").rows.isEmpty());
    EXPECT_EQ(column(lines("GP_SELECT_F2401_POPUPSALES", sixBack.toString(QStringLiteral("yyyyMM"))),
                     QStringLiteral("sujan_qty")),
              QStringList(5, QStringLiteral("0")));
}

// The receipt and release states are worked out per order line; they must
// give what the views that totalled every receipt and release line gave. The
// earlier views are made again under other names from their own scripts and
// compared row for row, over the demo data and a fixture of the cases that
// matter: parts adding up to the quantity in float, a pack-unit order line
// received in base units, a force-closed order, and lines of another month
// or another store that name the same number and sequence.
TEST_F(Inquiries, LineStatesPerLineGiveWhatTheTotalledViewsGave)
{
    struct Kind {
        const char *order, *orderLine, *oh, *od, *moved, *movedLine, *mh, *md, *script;
        const char *lineView, *orderView, *oldLineView, *oldOrderView;
    };
    const Kind kinds[] = {
        {"F2100", "F2101", "PH", "PD", "F3100", "F3101", "WH", "WD", "009_purchase_state_rounding.sql",
         "V_PO_LINE_STATE", "V_PO_STATE", "OLD_PO_LINE_STATE", "OLD_PO_STATE"},
        {"F2400", "F2401", "OH", "OD", "F3200", "F3201", "DH", "DD", "008_sales_state.sql", "V_SO_LINE_STATE",
         "V_SO_STATE", "OLD_SO_LINE_STATE", "OLD_SO_STATE"},
    };
    for (const Kind &k : kinds) {
        SCOPED_TRACE(k.script);
        const std::string oh = k.oh, od = k.od, mh = k.mh, md = k.md;
        std::string sql;
        // Orders of 209901: #1 open (seq 1: 0.8 EA, seq 2: 2 BOX of 10, seq 3: 5 EA), #2 closed (3 EA).
        for (const char *h : {"('9999', '9999', '209901', 1, 0)", "('9999', '9999', '209901', 2, 1)",
                              "('9999', '0001', '209901', 1, 0)"})
            sql += "INSERT INTO " + std::string(k.order) + " (" + oh + "CMCD, " + oh + "BUUT, " + oh + "MONTH, " + oh
                   + "NUMB, " + oh + "EDFL) VALUES " + h + ";";
        for (const char *l : {"('9999', '9999', '209901', 1, 1, 'EA', 0.8, 'BOX', 'EA', 10)",
                              "('9999', '9999', '209901', 1, 2, 'BOX', 2, 'BOX', 'EA', 10)",
                              "('9999', '9999', '209901', 1, 3, 'EA', 5, 'BOX', 'EA', 10)",
                              "('9999', '9999', '209901', 2, 1, 'EA', 3, 'BOX', 'EA', 10)",
                              "('9999', '0001', '209901', 1, 1, 'EA', 4, 'BOX', 'EA', 10)"})
            sql += "INSERT INTO " + std::string(k.orderLine) + " (" + od + "CMCD, " + od + "BUUT, " + od + "MONTH, "
                   + od + "NUMB, " + od + "SEQ, " + od + "UNIT, " + od + "QTY, " + od + "MDAN, " + od + "LDAN, " + od
                   + "MCAL) VALUES " + l + ";";
        for (const char *h : {"('9999', '9999', '209901', 1)", "('9999', '0001', '209901', 1)"})
            sql += "INSERT INTO " + std::string(k.moved) + " (" + mh + "CMCD, " + mh + "BUUT, " + mh + "MONTH, " + mh
                   + "NUMB) VALUES " + h + ";";
        // Moved lines: unit, quantity, the order line named (month, number, sequence).
        for (const char *l : {"('9999', '9999', '209901', 1, 1, 'EA', 0.7, '209901', 1, 1)",
                              "('9999', '9999', '209901', 1, 2, 'EA', 0.1, '209901', 1, 1)",
                              "('9999', '9999', '209901', 1, 3, 'EA', 15, '209901', 1, 2)",
                              "('9999', '9999', '209901', 1, 4, 'EA', 1, '209901', 2, 1)",
                              "('9999', '9999', '209901', 1, 5, 'EA', 4, '209812', 1, 3)",
                              "('9999', '0001', '209901', 1, 1, 'BOX', 1, '209901', 1, 3)"})
            sql += "INSERT INTO " + std::string(k.movedLine) + " (" + md + "CMCD, " + md + "BUUT, " + md + "MONTH, "
                   + md + "NUMB, " + md + "SEQ, " + md + "UNIT, " + md + "QTY, " + md + "RFMONTH, " + md + "RFNUMB, "
                   + md + "RFSEQ) VALUES " + l + ";";
        // The earlier views, renamed.
        std::string old = hq::storeScript(k.script);
        for (const auto &[from, to] : {std::pair{k.lineView, k.oldLineView}, std::pair{k.orderView, k.oldOrderView}})
            for (size_t at = old.find(from); at != std::string::npos; at = old.find(from, at))
                old.replace(at, std::string(from).size(), to);
        exec(sql + old);

        const auto differing = [](const char *a, const char *b) {
            return scalar("SELECT COUNT(*) FROM (SELECT * FROM " + std::string(a) + " EXCEPT SELECT * FROM "
                          + std::string(b) + ")");
        };
        for (const auto &[now, before] :
             {std::pair{k.lineView, k.oldLineView}, std::pair{k.orderView, k.oldOrderView}}) {
            SCOPED_TRACE(now);
            EXPECT_EQ(scalar("SELECT COUNT(*) FROM " + std::string(now)),
                      scalar("SELECT COUNT(*) FROM " + std::string(before)));
            EXPECT_EQ(differing(now, before), 0);
            EXPECT_EQ(differing(before, now), 0);
        }
        // The fixture reaches every line status.
        EXPECT_EQ(scalar("SELECT COUNT(DISTINCT status) FROM " + std::string(k.lineView)
                         + " WHERE cmcd = '9999' AND month = '209901'"),
                  4);
        exec("DROP VIEW " + std::string(k.oldOrderView) + "; DROP VIEW " + std::string(k.oldLineView) + ";"
             + "DELETE FROM " + k.movedLine + " WHERE " + md + "MONTH = '209901'; DELETE FROM " + k.moved + " WHERE "
             + mh + "MONTH = '209901'; DELETE FROM " + k.orderLine + " WHERE " + od + "MONTH = '209901'; DELETE FROM "
             + k.order + " WHERE " + oh + "MONTH = '209901';");
    }
}

} // namespace
