// The inquiry screens' category lists, and the demo documents that give every
// page of the document history something to list.

#include "ServerTestUtil.h"
#include "Store.h"

#include <QDate>

#include <string>
#include <vector>

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

// The production figures per item: made and lost in the item's base unit
// (a line in the pack unit counts its factor), their total, the value of
// what was made with each line's value truncated, the production categories;
// empty date bounds are open, category ids and name bounds narrow the items.
// Fixture productions of store 0003, which has no others.
TEST_F(Inquiries, ProductionFiguresPerItemOfTheRange)
{
    exec("INSERT INTO F3300 (RHCMCD, RHBUUT, RHMONTH, RHNUMB, RHDATE) VALUES ('9999', '0003', '200103', 1, '20010302'),"
         " ('9999', '0003', '200103', 2, '20010303'), ('9999', '0003', '200103', 3, '20010306');"
         "INSERT INTO F3301 (RDCMCD, RDBUUT, RDMONTH, RDNUMB, RDSEQ, RDITNB, RDUNIT, RDQTY, RDLQTY, RDMDAN, RDLDAN,"
         " RDMCAL) VALUES ('9999', '0003', '200103', 1, 1, '100001', 'EA', 10, 1, 'BOX', 'EA', 10),"
         " ('9999', '0003', '200103', 1, 2, '300002', 'KG', 1.5, 0, 'KG', 'G', 1000),"
         " ('9999', '0003', '200103', 2, 1, '100001', 'EA', 5, 0, 'BOX', 'EA', 10),"
         " ('9999', '0003', '200103', 2, 2, '300001', 'G', 0.5, 0, 'KG', 'G', 1000),"
         " ('9999', '0003', '200103', 2, 3, '300001', 'G', 0.5, 0.25, 'KG', 'G', 1000),"
         " ('9999', '0003', '200103', 3, 1, '100001', 'EA', 7, 0, 'BOX', 'EA', 10);");
    const auto figures = [](const char *from, const char *to, const char *gkid = "", const char *mkid = "",
                            const char *low = "", const char *high = "zzzzzzzzzz") {
        return call(QStringLiteral("[GP_SELECT_F3300_PRODUCTINQUIRY]"),
                    {{"A_CMCD", "9999"}, {"A_BUUT", "0003"}, {"a_STDT", from}, {"a_EDDT", to}, {"a_GKID", gkid},
                     {"a_mkid", mkid}, {"a_st_han", low}, {"a_ed_han", high}},
                    QStringLiteral("dspStoredProc7"));
    };
    // item | total | lost | made | value | unit | type | major | middle
    const auto rows = [](const wire::Answer &a) {
        QStringList out;
        for (int r = 0; r < a.rows.size(); ++r) {
            QStringList cells;
            for (const char *c : {"RDITNB", "RDtQTY", "RDLQTY", "rdqty", "rdamt", "rdunit", "itty_name", "gkname",
                                  "mkname"})
                cells << cell(a, r, QLatin1String(c)).toString();
            out << cells.join(u'|');
        }
        return out;
    };
    const wire::Answer range = figures("20010302", "20010305");
    ASSERT_OK(range);
    EXPECT_EQ(rows(range), (QStringList{"100001|16|1|15|27000|EA|제품|제빵생산|빵류",
                                        "300001|1.25|0.25|1|2|G|반제품|제빵생산|반죽",
                                        "300002|1500|0|1500|9000|G|반제품|케이크생산|크림"}));
    EXPECT_EQ(column(range, QStringLiteral("imname")), (QStringList{"우유식빵", "식빵반죽", "커스터드크림"}));
    EXPECT_EQ(column(range, QStringLiteral("imsdki")), (QStringList{"201", "201", "202"}));
    EXPECT_EQ(column(range, QStringLiteral("rduprc")), (QStringList{"1800", "3", "6"}));

    const struct {
        const char *from, *to, *gkid, *mkid, *low, *high;
        QStringList items;
    } cases[] = {
        {"", "20010302", "", "", "", "zzzzzzzzzz", {"100001", "300002"}},
        {"20010303", "", "", "", "", "", {"100001", "300001"}},
        {"20010307", "", "", "", "", "", {}},
        {"", "", "201", "", "", "zzzzzzzzzz", {"100001", "300001"}},
        {"", "", "201", "001", "", "zzzzzzzzzz", {"300001"}},
        {"", "", "0000000000", "", "사", "자", {"100001", "300001"}},
        {"", "", "", "", "카", "타", {"300002"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.from) + ".." + c.to + " " + c.gkid + "/" + c.mkid + " " + c.low);
        const wire::Answer a = figures(c.from, c.to, c.gkid, c.mkid, c.low, c.high);
        ASSERT_OK(a);
        EXPECT_EQ(column(a, QStringLiteral("RDITNB")), c.items);
    }
    EXPECT_EQ(column(figures("", ""), QStringLiteral("rdqty")), (QStringList{"22", "1", "1500"}));

    // 4.1 x 1,800 is 7,380, as an insert stores it; a double product
    // truncates to 7,379.
    exec("INSERT INTO F3300 (RHCMCD, RHBUUT, RHMONTH, RHNUMB, RHDATE) VALUES ('9999', '0003', '200103', 4, '20010310');"
         "INSERT INTO F3301 (RDCMCD, RDBUUT, RDMONTH, RDNUMB, RDSEQ, RDITNB, RDUNIT, RDQTY, RDLQTY, RDMDAN, RDLDAN,"
         " RDMCAL) VALUES ('9999', '0003', '200103', 4, 1, '100001', 'EA', 4.1, 0, 'BOX', 'EA', 10);");
    EXPECT_EQ(column(figures("20010310", "20010310"), QStringLiteral("rdamt")), QStringList{"7380"});
    exec("DELETE FROM F3301 WHERE RDBUUT = '0003'; DELETE FROM F3300 WHERE RHBUUT = '0003';");
}

// The demo productions three and two days back: the five demo products and
// 커스터드크림, in both production categories, under the keys 가, 하, the
// Latin letters and the digits.
TEST_F(Inquiries, TheDemoProductionsFillTheProductionPage)
{
    const QString from = day(QDate::currentDate().addDays(-3)), to = day(QDate::currentDate().addDays(-2));
    const wire::Answer a = call(QStringLiteral("[GP_SELECT_F3300_PRODUCTINQUIRY]"),
                                {{"A_CMCD", "9999"}, {"A_BUUT", "9999"}, {"a_STDT", from}, {"a_EDDT", to},
                                 {"a_GKID", ""}, {"a_mkid", ""}, {"a_st_han", ""}, {"a_ed_han", ""}});
    ASSERT_OK(a);
    EXPECT_EQ(column(a, QStringLiteral("imname")),
              (QStringList{"깨찰빵", "호두파이", "Bagel", "mini식빵", "9곡식빵", "커스터드크림"}));
    EXPECT_EQ(column(a, QStringLiteral("RDtQTY")), (QStringList{"45", "11", "12", "17", "8", "3000"}));
    EXPECT_EQ(column(a, QStringLiteral("imsdki")), (QStringList{"201", "202", "201", "201", "201", "202"}));
    // The new products are in every business unit, sold under 식빵류.
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F0200 WHERE IMCMCD = '9999' AND IMITNB BETWEEN '100007' AND '100011'"
                     " AND IMPGKI = '101' AND IMPMKI = '001'"),
              20);
}

// The A4 lists of the history over fixture documents of March 2001: an order
// of two lines, one received in part; a received order of two lines, one
// released in part; every line with its day, partner, item, categories
// (sales categories for goods) and the state or the line it refers to.
TEST_F(Inquiries, ListsOfTheRangeCarryTheLinesWithTheirState)
{
    exec("INSERT INTO F2100 (PHCMCD, PHBUUT, PHMONTH, PHNUMB, PHDATE, PHNYDT, PHADNB) VALUES"
         " ('9999', '9999', '200103', 1, '20010302', '20010304', '40000001');"
         "INSERT INTO F2101 (PDCMCD, PDBUUT, PDMONTH, PDNUMB, PDSEQ, PDITNB, PDUNIT, PDQTY, PDUPRC, PDAMT) VALUES"
         " ('9999', '9999', '200103', 1, 1, '100001', 'EA', 10, 1800, 18000),"
         " ('9999', '9999', '200103', 1, 2, '200002', 'EA', 24, 600, 14400);"
         "INSERT INTO F3100 (WHCMCD, WHBUUT, WHMONTH, WHNUMB, WHDATE, WHADNB, WHIBTY) VALUES"
         " ('9999', '9999', '200103', 2, '20010303', '40000001', '001');"
         "INSERT INTO F3101 (WDCMCD, WDBUUT, WDMONTH, WDNUMB, WDSEQ, WDITNB, WDUNIT, WDQTY, WDUPRC, WDAMT, WDRFMONTH,"
         " WDRFNUMB, WDRFSEQ) VALUES ('9999', '9999', '200103', 2, 1, '100001', 'EA', 4, 1800, 7200, '200103', 1, 1);"
         "INSERT INTO F2400 (OHCMCD, OHBUUT, OHMONTH, OHNUMB, OHDATE, OHNYDT, OHADNB) VALUES"
         " ('9999', '9999', '200103', 1, '20010302', '20010305', '20000001');"
         "INSERT INTO F2401 (ODCMCD, ODBUUT, ODMONTH, ODNUMB, ODSEQ, ODITNB, ODUNIT, ODQTY, ODUPRC, ODAMT) VALUES"
         " ('9999', '9999', '200103', 1, 1, '100002', 'EA', 5, 700, 3500),"
         " ('9999', '9999', '200103', 1, 2, '500002', 'G', 2000, 3, 6000);"
         "INSERT INTO F3200 (DHCMCD, DHBUUT, DHMONTH, DHNUMB, DHDATE, DHADNB, DHCHTY) VALUES"
         " ('9999', '9999', '200103', 3, '20010303', '20000001', '001');"
         "INSERT INTO F3201 (DDCMCD, DDBUUT, DDMONTH, DDNUMB, DDSEQ, DDITNB, DDUNIT, DDQTY, DDUPRC, DDAMT, DDRFMONTH,"
         " DDRFNUMB, DDRFSEQ) VALUES ('9999', '9999', '200103', 3, 1, '100002', 'EA', 3, 700, 2100, '200103', 1, 1);");
    const auto list = [](const char *procedure, const std::vector<std::pair<const char *, QVariant>> &extra,
                         const char *from = "20010301", const char *to = "20010305") {
        wire::Request r = request(QString::fromLatin1(procedure),
                                  {{"a_cmcd", "9999"}, {"a_buut", "9999"}, {"a_stdt", from}, {"a_eddt", to},
                                   {"a_gkid", ""}, {"a_mkid", ""}, {"a_gname", ""}, {"a_jname", ""},
                                   {"a_st_han", ""}, {"a_ed_han", "zzzzzzzzzz"}});
        for (const auto &[name, value] : extra)
            r.params.append({QString::fromLatin1(name), wire::Type::String, value});
        return server().dispatcher().handle(r);
    };
    const auto rows = [](const wire::Answer &a, const std::vector<const char *> &fields) {
        QStringList out;
        for (int r = 0; r < a.rows.size(); ++r) {
            QStringList cells;
            for (const char *f : fields)
                cells << cell(a, r, QLatin1String(f)).toString();
            out << cells.join(u'|');
        }
        return out;
    };
    const struct {
        const char *procedure;
        std::vector<std::pair<const char *, QVariant>> extra;
        std::vector<const char *> fields;
        QStringList expected;
    } lists[] = {
        {"GP_SELECT_F2101_PURCHASEINQUIRY",
         {{"a_gubun1", "1"}, {"a_gubun2", "1"}},
         {"phdate", "PHNYDT", "adnb_name", "PDITNB", "itnb_name", "gkid_name", "mkid_name", "buut_name", "PDQTY",
          "PDAMT", "ibgo_qty"},
         {"2001-03-02|2001-03-04|데모제분|100001|우유식빵|제빵생산|빵류|데모지점|10|18000|4",
          "2001-03-02|2001-03-04|데모제분|200002|흰우유200ml|음료|병음료|데모지점|24|14400|0"}},
        {"GP_SELECT_F3101_WAREHOUSEINQUIRY",
         {{"a_gubun", "1"}, {"a_whibty", ""}},
         {"whdate", "adnb_name", "WDITNB", "whibty_name", "WDQTY", "WDAMT", "balju_qty", "balju_uprc", "balju_amt",
          "balju_bunho"},
         {"2001-03-03|데모제분|100001|매입입고|4|7200|10|1800|18000|200103-00001"}},
        {"GP_SELECT_F2401_SALESORDERINQUIRY",
         {{"a_gubun1", "1"}, {"a_gubun2", "1"}},
         {"ohdate", "oHNYDT", "adnb_name", "ODITNB", "gkid_name", "mkid_name", "ODQTY", "ODAMT", "chulgo_qty"},
         {"2001-03-02|2001-03-05|카페데모|100002|제빵생산|빵류|5|3500|3",
          "2001-03-02|2001-03-05|카페데모|500002|원재료|당류/앙금|2000|6000|0"}},
        {"GP_SELECT_F3201_DELIVERYINQUIRY",
         {{"a_gubun", "1"}, {"a_dhchty", ""}},
         {"dhdate", "adnb_name", "dDITNB", "dhchty_name", "dDQTY", "dDAMT", "suju_qty", "suju_uprc", "suju_amt",
          "suju_bunho"},
         {"2001-03-03|카페데모|100002|출고|3|2100|5|700|3500|200103-00001"}},
    };
    for (const auto &l : lists) {
        SCOPED_TRACE(l.procedure);
        const wire::Answer a = list(l.procedure, l.extra);
        ASSERT_OK(a);
        EXPECT_EQ(rows(a, l.fields), l.expected);
        EXPECT_TRUE(list(l.procedure, l.extra, "20010304", "20010305").rows.isEmpty());
    }

    // The narrowing parameters, on the order list.
    const struct {
        std::vector<std::pair<const char *, QVariant>> params;
        QStringList items;
    } filters[] = {
        {{{"a_gkid", "201"}}, {"100001"}},
        {{{"a_gkid", "103"}, {"a_mkid", "001"}}, {"200002"}},
        {{{"a_jname", "우유"}}, {"100001", "200002"}},
        {{{"a_gname", "제분"}}, {"100001", "200002"}},
        {{{"a_gname", "포장"}}, {}},
        {{{"a_st_han", "아"}, {"a_ed_han", "자"}}, {"100001"}},
        {{{"a_st_han", "하"}, {"a_ed_han", "a"}}, {"200002"}},
        {{{"a_gubun2", "2"}}, {}}, // by delivery day (the 4th), outside 1st..3rd
    };
    for (const auto &f : filters) {
        wire::Request r = request(QStringLiteral("GP_SELECT_F2101_PURCHASEINQUIRY"),
                                  {{"a_cmcd", "9999"}, {"a_buut", "9999"}, {"a_stdt", "20010301"},
                                   {"a_eddt", "20010303"}, {"a_gkid", ""}, {"a_mkid", ""}, {"a_gname", ""},
                                   {"a_jname", ""}, {"a_st_han", ""}, {"a_ed_han", "zzzzzzzzzz"},
                                   {"a_gubun1", "1"}, {"a_gubun2", "1"}});
        for (const auto &[name, value] : f.params)
            for (wire::Param &p : r.params)
                if (p.name == QLatin1String(name))
                    p.value = value;
        const wire::Answer a = server().dispatcher().handle(r);
        ASSERT_OK(a);
        EXPECT_EQ(column(a, QStringLiteral("PDITNB")), f.items) << f.params.begin()->first;
    }
    exec("DELETE FROM F3201 WHERE DDBUUT = '9999' AND DDMONTH = '200103'; DELETE FROM F3200 WHERE DHBUUT = '9999'"
         " AND DHMONTH = '200103'; DELETE FROM F2401 WHERE ODBUUT = '9999' AND ODMONTH = '200103';"
         " DELETE FROM F2400 WHERE OHBUUT = '9999' AND OHMONTH = '200103'; DELETE FROM F3101 WHERE WDBUUT = '9999'"
         " AND WDMONTH = '200103'; DELETE FROM F3100 WHERE WHBUUT = '9999' AND WHMONTH = '200103';"
         " DELETE FROM F2101 WHERE PDBUUT = '9999' AND PDMONTH = '200103'; DELETE FROM F2100 WHERE PHBUUT = '9999'"
         " AND PHMONTH = '200103';");
}

} // namespace
