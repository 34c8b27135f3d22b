// Releases and stock-outs: writing entries header by header and line by line,
// deleting them, the entry list and the lines of one entry, over the demo data.
// Written entries live in months of 2030 so the demo entries stay as seeded.

#include "ServerTestUtil.h"

#include <QDate>

#include <SQLiteCpp/Statement.h>

using namespace servertest;

namespace {

const QString kInsert = QStringLiteral("GP_INSERT_F3200_DELIVERYENTRY");
const QString kDelete = QStringLiteral("GP_DELETE_F3200_DELIVERYENTRY");
const QString kList = QStringLiteral("GP_SELECT_F3200_DELIVERYENTRY_POS");
const QString kLines = QStringLiteral("GP_SELECT_F3201_DELIVERYENTRY");

class Releases : public ServerSuite {
protected:
    // A stock-out header as the stock-out screens send it (A_DHKMNUMB null).
    static wire::Answer header(const QString &month, qint64 numb, const QString &type,
                               const QString &company = QStringLiteral("9999"),
                               const QString &store = QStringLiteral("9999"))
    {
        return call(kInsert,
                    {{"A_GUBUN", 1}, {"A_DHCMCD", company}, {"A_DHBUUT", store}, {"A_DHMONTH", month},
                     {"A_DHYEAR", month.left(4)}, {"A_DHDATE", month + QStringLiteral("15")}, {"A_DHNUMB", numb},
                     {"A_DHADNB", QString()}, {"A_DHCHTY", type}, {"A_DHKSGU", QString()}, {"A_DHTXGU", QString()},
                     {"A_DHGAMT", 0}, {"A_DHTAX", 0}, {"A_DHAMT", 0}, {"A_DHDAMT", 0}, {"A_DHGEFL", false},
                     {"A_DHSBFL", false}, {"A_DHPOID", QStringLiteral("99")}, {"A_DHCHDA", QVariant()},
                     {"A_DHpdfl", true}, {"A_DHKENUMB", 0}, {"A_DHKMNUMB", QVariant()},
                     {"A_DHWORK", QStringLiteral("90000001")}, {"A_DHPGID", QStringLiteral("F1009_TastePresent")}},
                    QStringLiteral("dspStoredProc13"));
    }
    static wire::Answer line(const QString &month, qint64 numb, qint64 seq, const QString &item, double qty,
                             const QString &unit = QStringLiteral("EA"))
    {
        return call(kInsert,
                    {{"A_GUBUN", 2}, {"A_DDCMCD", QStringLiteral("9999")}, {"A_DDBUUT", QStringLiteral("9999")},
                     {"A_DDMONTH", month}, {"A_DDNUMB", numb}, {"A_DDSEQ", seq}, {"A_DDITNB", item},
                     {"A_DDUNIT", unit}, {"A_DDQTY", qty}, {"A_DDUPRC", 0}, {"A_DDAMT", 0}, {"A_DDSUMONTH", month},
                     {"A_DDSUNUMB", 0}, {"A_DDSUSEQ", seq}, {"A_DDWORK", QStringLiteral("90000001")},
                     {"A_DDPGID", QStringLiteral("F1009_TastePresent")}, {"A_DDgamt", 0}, {"A_DDtax", 0}},
                    QStringLiteral("dspStoredProc13"));
    }
    static wire::Answer lines(const QString &month, qint64 numb)
    {
        return call(kLines,
                    {{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QStringLiteral("9999")}, {"A_MONTH", month},
                     {"A_NUMB", numb}, {"a_gubun", QString()}},
                    QStringLiteral("dspStoredProc9"));
    }
    static wire::Answer list(const QString &from, const QString &to)
    {
        return call(kList,
                    {{"a_cmcd", QStringLiteral("9999")}, {"a_buut", QStringLiteral("9999")}, {"a_name", QString()},
                     {"a_stdt", from}, {"a_eddt", to}, {"a_month", QString()}, {"a_numb", 0}},
                    QStringLiteral("dspStoredProc8"));
    }
    static wire::Answer remove(const QString &month, qint64 numb)
    {
        return call(kDelete,
                    {{"A_DHCMCD", QStringLiteral("9999")}, {"A_DHBUUT", QStringLiteral("9999")},
                     {"A_DHMONTH", month}, {"A_DHNUMB", numb}, {"A_DHWORK", QStringLiteral("90000001")},
                     {"A_DHPGID", QStringLiteral("F1009_TastePresent")}},
                    QStringLiteral("dspStoredProc11"));
    }
    static qint64 count(const QString &sql)
    {
        auto lease = server().store().acquire();
        SQLite::Statement st(lease.db(), sql.toStdString());
        return st.executeStep() ? st.getColumn(0).getInt64() : -1;
    }
    static QString day(int back) { return QDate::currentDate().addDays(-back).toString(QStringLiteral("yyyyMMdd")); }
};

} // namespace

TEST_F(Releases, EntryIsWrittenAndAResentHeaderReplacesItsLines)
{
    const QString month = QStringLiteral("203001");
    ASSERT_OK(header(month, 7, QStringLiteral("004")));
    ASSERT_OK(line(month, 7, 1, QStringLiteral("100002"), 2));
    ASSERT_OK(line(month, 7, 2, QStringLiteral("100004"), 0)); // every basket line is kept, zero included

    EXPECT_EQ(count("SELECT COUNT(*) FROM F3200 WHERE DHMONTH = '203001' AND DHNUMB = 7 AND DHCHTY = '004'"
                    " AND DHADNB = '' AND DHPDFL = 1 AND DHKMNUMB = 0 AND DHDATE = '20300115'"),
              1);
    wire::Answer a = lines(month, 7);
    ASSERT_OK(a);
    EXPECT_EQ(column(a, QStringLiteral("DDITNB")), (QStringList{QStringLiteral("100002"), QStringLiteral("100004")}));
    EXPECT_EQ(column(a, QStringLiteral("DDQTY")), (QStringList{QStringLiteral("2"), QStringLiteral("0")}));
    EXPECT_EQ(column(a, QStringLiteral("IMNAME")), (QStringList{QStringLiteral("단팥빵"), QStringLiteral("크림빵")}));
    EXPECT_EQ(cell(a, 0, "DDAMT").toLongLong(), 0);
    EXPECT_EQ(cell(a, 0, "chulgo_bunho").toString(), QStringLiteral("203001-00007"));
    EXPECT_EQ(cell(a, 0, "bunho").toString(), QString());     // no received order behind a stock-out
    EXPECT_EQ(cell(a, 0, "balju_name").toString(), QString()); // nor a customer

    // A line sent again (its answer was lost) replaces the earlier one.
    ASSERT_OK(line(month, 7, 2, QStringLiteral("100004"), 1));
    EXPECT_EQ(column(lines(month, 7), QStringLiteral("DDQTY")), (QStringList{QStringLiteral("2"), QStringLiteral("1")}));

    // The retried save: header again, then its lines; no old line survives.
    ASSERT_OK(header(month, 7, QStringLiteral("003")));
    ASSERT_OK(line(month, 7, 1, QStringLiteral("100001"), 5));
    a = lines(month, 7);
    EXPECT_EQ(column(a, QStringLiteral("DDITNB")), QStringList{QStringLiteral("100001")});
    EXPECT_EQ(count("SELECT COUNT(*) FROM F3200 WHERE DHMONTH = '203001' AND DHNUMB = 7 AND DHCHTY = '003'"), 1);
}

TEST_F(Releases, BadWritesAreRefusedAndWriteNothing)
{
    const QString month = QStringLiteral("203002");
    struct Case {
        const char *what;
        wire::Answer answer;
    };
    const Case cases[] = {
        {"empty company", header(month, 1, QStringLiteral("004"), QString())},
        {"blank store", header(month, 1, QStringLiteral("004"), QStringLiteral("9999"), QStringLiteral("  "))},
        {"bad month", header(QStringLiteral("203013"), 1, QStringLiteral("004"))},
        {"no number", header(month, 0, QStringLiteral("004"))},
        {"unknown type", header(month, 1, QStringLiteral("002"))},
        {"line without its header", line(month, 1, 1, QStringLiteral("100001"), 1)},
        {"line without item", line(month, 1, 1, QString(), 1)},
        {"unknown part", call(kInsert, {{"A_GUBUN", 3}})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(c.answer.isError());
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM F3200 WHERE DHMONTH IN ('203002', '203013') OR DHCMCD = ''"
                    " OR DHBUUT IN ('', '  ')"),
              0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM F3201 WHERE DDMONTH = '203002'"), 0);
}

TEST_F(Releases, DeleteRemovesOnlyThatEntryAndLeavesAnAuditRow)
{
    const QString month = QStringLiteral("203003");
    for (qint64 n : {1, 2}) {
        ASSERT_OK(header(month, n, QStringLiteral("005")));
        ASSERT_OK(line(month, n, 1, QStringLiteral("100001"), 1));
        ASSERT_OK(line(month, n, 2, QStringLiteral("500002"), 500, QStringLiteral("G")));
    }
    ASSERT_OK(remove(month, 1));
    EXPECT_EQ(count("SELECT COUNT(*) FROM F3200 WHERE DHMONTH = '203003' AND DHNUMB = 1"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM F3201 WHERE DDMONTH = '203003' AND DDNUMB = 1"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM F3201 WHERE DDMONTH = '203003' AND DDNUMB = 2"), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM SYS_AUDIT WHERE AUPROC = 'GP_DELETE_F3200_DELIVERYENTRY'"
                    " AND AUKEY = '9999/9999/203003-00001' AND AUWORK = '90000001' AND AUPGID = 'F1009_TastePresent'"),
              1);

    // Deleting what is not there is refused and audits nothing.
    EXPECT_TRUE(remove(month, 1).isError());
    EXPECT_EQ(count("SELECT COUNT(*) FROM SYS_AUDIT WHERE AUKEY = '9999/9999/203003-00001'"), 1);
}

TEST_F(Releases, ListShowsTheDemoStockOutsWithTypeNamesByDate)
{
    const wire::Answer a = list(day(5), day(0));
    ASSERT_OK(a);
    // Stock-outs only (the list holds every type; the screens filter): discard first, being the oldest.
    QStringList types, names;
    for (int r = 0; r < a.rows.size(); ++r) {
        const QString t = cell(a, r, "DHCHTY").toString();
        if (t == QStringLiteral("001"))
            continue;
        types << t;
        names << cell(a, r, "DHCHTY_NAME").toString();
        EXPECT_EQ(cell(a, r, "DHADNB_name").toString(), QString());
        EXPECT_EQ(cell(a, r, "DHTXGU").toString(), QString());
        EXPECT_EQ(cell(a, r, "bunho").toString(),
                  cell(a, r, "DHMONTH").toString() + QStringLiteral("-")
                      + QStringLiteral("%1").arg(cell(a, r, "DHNUMB").toLongLong(), 5, 10, QLatin1Char('0')));
    }
    EXPECT_EQ(types, (QStringList{QStringLiteral("005"), QStringLiteral("004"), QStringLiteral("010"),
                                  QStringLiteral("003")}));
    EXPECT_EQ(names, (QStringList{QStringLiteral("폐기"), QStringLiteral("시식"), QStringLiteral("2차재료"),
                                  QStringLiteral("증정")}));
    const int discard = column(a, QStringLiteral("DHCHTY")).indexOf(QStringLiteral("005"));
    EXPECT_EQ(cell(a, discard, "DHDATE").toDateTime().date(), QDate::currentDate().addDays(-2));

    // The range bounds the list.
    const wire::Answer yesterday = list(day(1), day(1));
    EXPECT_FALSE(column(yesterday, QStringLiteral("DHCHTY")).contains(QStringLiteral("005")));
    EXPECT_TRUE(column(yesterday, QStringLiteral("DHCHTY")).contains(QStringLiteral("004")));
}

TEST_F(Releases, LinesNameEveryItemTypeAndTheDemoDiscardHoldsSugar)
{
    const QString month = QStringLiteral("203004");
    ASSERT_OK(header(month, 1, QStringLiteral("010")));
    const QStringList items = {QStringLiteral("100001"), QStringLiteral("200001"), QStringLiteral("300001"),
                               QStringLiteral("500002"), QStringLiteral("600001")};
    for (int i = 0; i < items.size(); ++i)
        ASSERT_OK(line(month, 1, i + 1, items[i], -1)); // negative quantities are stored; the screens drop them
    const wire::Answer a = lines(month, 1);
    EXPECT_EQ(column(a, QStringLiteral("itty_name")),
              (QStringList{QStringLiteral("제품"), QStringLiteral("상품"), QStringLiteral("반제품"),
                           QStringLiteral("원재료"), QStringLiteral("부재료")}));
    EXPECT_EQ(cell(a, 4, "DDQTY").toDouble(), -1);
    EXPECT_EQ(cell(a, 0, "chulgo_name").toString(), QStringLiteral("데모지점"));

    // The demo discard: its month and number come from the list.
    const wire::Answer l = list(day(5), day(0));
    const int discard = column(l, QStringLiteral("DHCHTY")).indexOf(QStringLiteral("005"));
    ASSERT_GE(discard, 0);
    const wire::Answer d = lines(cell(l, discard, "DHMONTH").toString(), cell(l, discard, "DHNUMB").toLongLong());
    ASSERT_EQ(d.rows.size(), 2);
    EXPECT_EQ(cell(d, 1, "IMNAME").toString(), QStringLiteral("설탕"));
    EXPECT_EQ(cell(d, 1, "itty_name").toString(), QStringLiteral("원재료"));
    EXPECT_EQ(cell(d, 1, "DDUNIT").toString(), QStringLiteral("G"));
    EXPECT_EQ(cell(d, 1, "DDQTY").toDouble(), 500);
}
