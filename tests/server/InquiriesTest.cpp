// The inquiry screens' category lists, and the demo documents that give every
// page of the document history something to list.

#include "ServerTestUtil.h"

#include <QDate>

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

} // namespace
