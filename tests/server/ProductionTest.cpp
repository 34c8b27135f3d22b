// Productions and job orders on the server: the production lines, writing
// and deleting a production, the production and job-order lists with their
// lines, what a production does to stock (output, the recipe's ingredients,
// losses) and the production forecast of the received orders due on a day.
// Written productions and job orders live in months of 2031 so the demo ones
// stay as seeded.

#include "ServerTestUtil.h"
#include "StockView.h"

#include <QDate>
#include <QScopeGuard>

#include <cmath>

#include <SQLiteCpp/Statement.h>

#include <map>

using namespace servertest;

namespace {

const QString kProductions = QStringLiteral("GP_SELECT_F3300_StockDetail_SengSanHed_Search");
const QString kProductionLines = QStringLiteral("GP_SELECT_F3301_StockDetail_SengSanDetail_Search");
const QString kJobOrders = QStringLiteral("GP_SELECT_F3310_WORKENTRY");
const QString kJobOrderLines = QStringLiteral("GP_SELECT_F3311_WORKENTRY");
const QString kForecast = QStringLiteral("GP_SELECT_F2401_WORKENTRY");
const QString kLines = QStringLiteral("GP_SELECT_F0011_ProduceLine");
const QString kInsert = QStringLiteral("GP_INSERT_F3300_PRODUCTENTRY");
const QString kDelete = QStringLiteral("GP_DELETE_F3300_PRODUCTENTRY");
const QString kJobOrderInsert = QStringLiteral("GP_INSERT_F3310_WORKENTRY");

QString day(int back = 0) { return QDate::currentDate().addDays(-back).toString(QStringLiteral("yyyyMMdd")); }

class Production : public ServerSuite {
protected:
    // A header as production entry sends it; the line parameters of the
    // shared list still hold the last line's values.
    static wire::Answer header(const QString &month, qint64 numb, const QString &line = QStringLiteral("002"),
                               const QString &company = QStringLiteral("9999"))
    {
        return call(kInsert,
                    {{"A_GUBUN", 1}, {"A_RHCMCD", company}, {"A_RHBUUT", QStringLiteral("9999")},
                     {"A_RHMONTH", month}, {"A_RHNUMB", numb}, {"A_RHYEAR", month.left(4)},
                     {"A_RHDATE", month + QStringLiteral("20")}, {"A_RHLINB", line},
                     {"A_RHADNB", QStringLiteral("90000001")}, {"A_RHSTTM", QString()}, {"A_RHEDTM", QString()},
                     {"A_RHBIGO", QString()}, {"A_RHWORK", QStringLiteral("90000001")},
                     {"A_RHPGID", QStringLiteral("F1003_Produce")}, {"A_RDSEQ", 9}, {"A_RDITNB", QStringLiteral("100002")},
                     {"A_RDQTY", 99.0}},
                    QStringLiteral("dspStoredProc6"));
    }
    // A line; `cost` is A_RDWPRC as the screens send it (a decimal text).
    static wire::Answer line(const QString &month, qint64 numb, qint64 seq, const QString &item, double qty,
                             double loss, const QString &cost)
    {
        return call(kInsert,
                    {{"A_GUBUN", 2}, {"A_RHNUMB", numb + 1}, {"A_RHLINB", QStringLiteral("999")},
                     {"A_RDCMCD", QStringLiteral("9999")}, {"A_RDBUUT", QStringLiteral("9999")}, {"A_RDMONTH", month},
                     {"A_RDNUMB", numb}, {"A_RDSEQ", seq}, {"A_RDITNB", item}, {"A_RDBAR", QString()},
                     {"A_RDLINB", QStringLiteral("002")}, {"A_RDUNIT", QStringLiteral("EA")}, {"A_RDQTY", qty},
                     {"A_RDUPRC", 0}, {"A_RDAMT", 0}, {"A_RDMCAL", 10.0}, {"A_RDLQTY", loss},
                     {"A_RDCHNUMB", 0}, {"A_RDIBSEQ", 0}, {"A_RDWORK", QStringLiteral("90000001")},
                     {"A_RDPGID", QStringLiteral("F1003_Produce")}, {"A_RDWPRC", cost}, {"A_RDBPRC", QStringLiteral("0")}},
                    QStringLiteral("dspStoredProc6"));
    }
    // A job-order header as job-order entry sends it (names without A_); the
    // line parameters of the shared list still hold the last line's values.
    static wire::Answer jobHeader(const QString &month, qint64 numb, const QString &day)
    {
        return call(kJobOrderInsert,
                    {{"GUBUN", 1}, {"JHCMCD", QStringLiteral("9999")}, {"JHBUUT", QStringLiteral("9999")},
                     {"JHMONTH", month}, {"JHNUMB", numb}, {"JHYEAR", month.left(4)}, {"JHDATE", day},
                     {"JHSEDATE", day}, {"JHNYDT", day}, {"JHLINB", QString()},
                     {"JHWORK", QStringLiteral("90000001")}, {"JHPGID", QStringLiteral("F1301_JobOrder")},
                     {"JDSEQ", 9}, {"JDITNB", QStringLiteral("100002")}, {"JDQTY", 99.0}},
                    QStringLiteral("dspStoredProc6"));
    }
    static wire::Answer jobLine(const QString &month, qint64 numb, qint64 seq, const QString &item, double qty)
    {
        return call(kJobOrderInsert,
                    {{"GUBUN", 2}, {"JHNUMB", numb + 1}, {"JDCMCD", QStringLiteral("9999")},
                     {"JDBUUT", QStringLiteral("9999")}, {"JDMONTH", month}, {"JDNUMB", numb},
                     {"JDSEQ", seq}, {"JDITNB", item}, {"JDUNIT", QStringLiteral("EA")}, {"JDQTY", qty},
                     {"JDUPRC", 0}, {"JDAMT", 0}, {"JDMDAN", QStringLiteral("BOX")},
                     {"JDLDAN", QStringLiteral("EA")}, {"JDMCAL", 10.0}, {"JDSUNUMB", 0}, {"JDSUSEQ", 0},
                     {"JDWORK", QStringLiteral("90000001")}, {"JDPGID", QStringLiteral("F1301_JobOrder")}},
                    QStringLiteral("dspStoredProc6"));
    }
    // Stock of every item of store 9999 today, by item.
    static std::map<QString, double> stockToday(SQLite::Database &db)
    {
        const QString sql = QStringLiteral("WITH ")
                            + hq::stockOnDayCte(QStringLiteral("s"), QStringLiteral("'9999'"),
                                                QStringLiteral("'9999'"),
                                                QStringLiteral("strftime('%Y%m%d', 'now', 'localtime')"))
                            + QStringLiteral(" SELECT itnb, qty FROM s");
        SQLite::Statement st(db, sql.toStdString());
        std::map<QString, double> out;
        while (st.executeStep())
            out[QString::fromStdString(st.getColumn(0).getString())] = st.getColumn(1).getDouble();
        return out;
    }
};

} // namespace

TEST_F(Production, ProductionLinesComeInOrderWithLine001First)
{
    const auto lines = [] {
        return call(kLines, {{"COMPCODE", QStringLiteral("9999")}}, QStringLiteral("dspStoredProc11"));
    };
    wire::Answer a = lines();
    ASSERT_OK(a);
    EXPECT_EQ(column(a, QStringLiteral("CDSSCD")), (QStringList{"001", "002", "003"}));
    EXPECT_EQ(column(a, QStringLiteral("CDNAME")), (QStringList{"1라인(제빵)", "2라인(케이크)", "3라인(포장)"}));

    // The screens send "001" until a line is chosen: it leads whatever its place.
    exec("UPDATE F0011 SET CDSEQ = 9 WHERE CDCMCD = '9999' AND CDGUCD = '061' AND CDSSCD = '001'");
    auto restore = qScopeGuard(
        [] { exec("UPDATE F0011 SET CDSEQ = 1 WHERE CDCMCD = '9999' AND CDGUCD = '061' AND CDSSCD = '001'"); });
    EXPECT_EQ(column(lines(), QStringLiteral("CDSSCD")), (QStringList{"001", "002", "003"}));

    const wire::Answer none = call(kLines, {{"COMPCODE", QStringLiteral("0000")}});
    EXPECT_TRUE(none.rows.isEmpty());
    EXPECT_EQ(none.columns.size(), 2);
}

TEST_F(Production, WrittenLineByLineAResentHeaderReplacesTheLinesAndAMissingCostIsTheRecipes)
{
    const QString month = QStringLiteral("203101");
    ASSERT_OK(header(month, 4));
    ASSERT_OK(line(month, 4, 1, QStringLiteral("100001"), 8, 2, QStringLiteral("0")));     // costed from the recipe
    ASSERT_OK(line(month, 4, 2, QStringLiteral("100002"), 10, 0, QStringLiteral("1234.5"))); // a sent cost stays
    ASSERT_OK(line(month, 4, 3, QStringLiteral("100003"), 5, 0, QStringLiteral("0")));     // no recipe: 0
    EXPECT_EQ(rows("SELECT RHYEAR, RHDATE, RHLINB, RHADNB, RHWORK, RHPGID FROM F3300 WHERE RHMONTH = '203101'"
                   " AND RHNUMB = 4"),
              QStringList{"2031|20310120|002|90000001|90000001|F1003_Produce"});
    // 우유식빵 costs 1,700 a unit: (5,000 G of 식빵반죽 at 3 + 100 G of 버터 at 20) / 10.
    EXPECT_EQ(rows("SELECT RDSEQ, RDITNB, RDLINB, RDQTY, RDLQTY, RDMCAL, RDWPRC FROM F3301 WHERE RDMONTH = '203101'"
                   " AND RDNUMB = 4 ORDER BY RDSEQ"),
              (QStringList{"1|100001|002|8.0|2.0|10.0|13600.0", "2|100002|002|10.0|0.0|10.0|1234.5",
                           "3|100003|002|5.0|0.0|10.0|0.0"}));

    // The modification: the header again, then fewer lines.
    ASSERT_OK(header(month, 4, QStringLiteral("001")));
    ASSERT_OK(line(month, 4, 1, QStringLiteral("100001"), 3, 0, QStringLiteral("0")));
    EXPECT_EQ(rows("SELECT RDSEQ, RDITNB, RDLINB, RDWPRC FROM F3301 WHERE RDMONTH = '203101' AND RDNUMB = 4"),
              QStringList{"1|100001|002|5100.0"});
    EXPECT_EQ(rows("SELECT RHLINB FROM F3300 WHERE RHMONTH = '203101' AND RHNUMB = 4"), QStringList{"001"});
}

TEST_F(Production, BadWritesAreRefusedAndWriteNothing)
{
    const QString month = QStringLiteral("203102");
    struct Case {
        const char *what;
        wire::Answer answer;
    };
    const Case cases[] = {
        {"no company", header(month, 1, QStringLiteral("002"), QString())},
        {"bad month", header(QStringLiteral("203113"), 1)},
        {"no number", header(month, 0)},
        {"line without its header", line(month, 1, 1, QStringLiteral("100001"), 1, 0, QStringLiteral("0"))},
        {"unknown part", call(kInsert, {{"A_GUBUN", 3}})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(c.answer.isError());
    }
    ASSERT_OK(header(month, 2));
    EXPECT_TRUE(line(month, 2, 1, QString(), 1, 0, QStringLiteral("0")).isError()); // a line without item
    EXPECT_TRUE(line(month, 2, 0, QStringLiteral("100001"), 1, 0, QStringLiteral("0")).isError());
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F3300 WHERE RHMONTH IN ('203102', '203113') AND RHNUMB <> 2"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F3301 WHERE RDMONTH = '203102'"), 0);
}

TEST_F(Production, DeleteRemovesThatProductionWithAnAuditRowAndRefusesAMissingOne)
{
    const QString month = QStringLiteral("203103");
    for (qint64 n : {1, 2}) {
        ASSERT_OK(header(month, n));
        ASSERT_OK(line(month, n, 1, QStringLiteral("100001"), 1, 0, QStringLiteral("0")));
    }
    const auto remove = [&month](qint64 n) {
        return call(kDelete,
                    {{"A_RHCMCD", QStringLiteral("9999")}, {"A_RHBUUT", QStringLiteral("9999")}, {"A_RHMONTH", month},
                     {"A_RHNUMB", n}, {"A_RHWORK", QStringLiteral("90000001")},
                     {"A_RHPGID", QStringLiteral("F1003_Produce")}},
                    QStringLiteral("dspStoredProc10"));
    };
    ASSERT_OK(remove(1));
    EXPECT_EQ(rows("SELECT RHNUMB FROM F3300 WHERE RHMONTH = '203103'"), QStringList{"2"});
    EXPECT_EQ(rows("SELECT RDNUMB FROM F3301 WHERE RDMONTH = '203103'"), QStringList{"2"});
    EXPECT_EQ(rows("SELECT AUPROC, AUWORK, AUPGID FROM SYS_AUDIT WHERE AUKEY = '9999/9999/203103-00001'"),
              QStringList{"GP_DELETE_F3300_PRODUCTENTRY|90000001|F1003_Produce"});
    EXPECT_TRUE(remove(1).isError());
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM SYS_AUDIT WHERE AUKEY = '9999/9999/203103-00001'"), 1);
}

TEST_F(Production, ListsProductionsOfTheRangeAndTheLinesOfOne)
{
    const wire::Answer heads = call(kProductions, {{"COMPCODE", QStringLiteral("9999")},
                                                   {"STORECODE", QStringLiteral("9999")},
                                                   {"date_SdssSearch1", day(1)},
                                                   {"date_SdssSearch2", day()}},
                                    QStringLiteral("dspStoredProc2"));
    ASSERT_OK(heads);
    EXPECT_EQ(column(heads, QStringLiteral("RHNUMB")), (QStringList{"1", "2"}));
    EXPECT_EQ(column(heads, QStringLiteral("bunho")),
              (QStringList{day(1).left(6) + "-00001", day().left(6) + "-00002"}));
    EXPECT_EQ(column(heads, QStringLiteral("RHDATE")), (QStringList{day(1), day()}));
    EXPECT_EQ(column(heads, QStringLiteral("RHYEAR")), (QStringList{day(1).left(4), day().left(4)}));
    EXPECT_EQ(column(heads, QStringLiteral("RHLINB")), (QStringList{"001", "002"}));
    EXPECT_EQ(column(heads, QStringLiteral("SengsangLine")), (QStringList{"1라인(제빵)", "2라인(케이크)"}));

    // Only today, and a range with nothing in it (the columns still come).
    const wire::Answer today = call(kProductions, {{"COMPCODE", QStringLiteral("9999")},
                                                   {"STORECODE", QStringLiteral("9999")},
                                                   {"date_SdssSearch1", day()},
                                                   {"date_SdssSearch2", day()}});
    EXPECT_EQ(column(today, QStringLiteral("RHNUMB")), QStringList{"2"});
    const wire::Answer none = call(kProductions, {{"COMPCODE", QStringLiteral("9999")},
                                                  {"STORECODE", QStringLiteral("9999")},
                                                  {"date_SdssSearch1", QStringLiteral("20000101")},
                                                  {"date_SdssSearch2", QStringLiteral("20000102")}});
    EXPECT_TRUE(none.rows.isEmpty());
    EXPECT_EQ(none.columns.size(), 7);

    const wire::Answer lines = call(kProductionLines, {{"COMPCODE", QStringLiteral("9999")},
                                                       {"STORECODE", QStringLiteral("9999")},
                                                       {"MONTH", day(1).left(6)},
                                                       {"NUMB", 1}},
                                    QStringLiteral("dspStoredProc3"));
    ASSERT_OK(lines);
    EXPECT_EQ(column(lines, QStringLiteral("RDITNB")), (QStringList{"100001", "100002", "300001"}));
    EXPECT_EQ(column(lines, QStringLiteral("IMNAME")), (QStringList{"우유식빵", "단팥빵", "식빵반죽"}));
    EXPECT_EQ(column(lines, QStringLiteral("CDNAME")), (QStringList{"제품", "제품", "반제품"}));
    EXPECT_EQ(column(lines, QStringLiteral("RDQTY")), (QStringList{"20", "30", "10000"}));
    EXPECT_EQ(column(lines, QStringLiteral("RDLQTY")), (QStringList{"1", "2", "0"}));
    EXPECT_EQ(column(lines, QStringLiteral("chongsengsan")), (QStringList{"21", "32", "10000"}));
    EXPECT_EQ(column(lines, QStringLiteral("RDUNIT")), (QStringList{"EA", "EA", "G"}));
    EXPECT_EQ(column(lines, QStringLiteral("RDMDAN")), (QStringList{"BOX", "BOX", "KG"}));
    EXPECT_EQ(column(lines, QStringLiteral("RDMCAL")), (QStringList{"10", "10", "1000"}));
    EXPECT_EQ(column(lines, QStringLiteral("RDLDAN")), (QStringList{"EA", "EA", "G"}));
}

TEST_F(Production, ListsJobOrdersWithEmptyDaysAsTheServersEmptyDateAndLinesWithTheirKind)
{
    const QString first = QDate::currentDate().toString(QStringLiteral("yyyyMM01"));
    const wire::Answer heads = call(kJobOrders, {{"A_CMCD", QStringLiteral("9999")},
                                                 {"A_BUUT", QStringLiteral("9999")},
                                                 {"A_STDT", day(1) < first ? day(1) : first},
                                                 {"A_EDDT", day()}},
                                    QStringLiteral("dspStoredProc3"));
    ASSERT_OK(heads);
    ASSERT_EQ(column(heads, QStringLiteral("JHNUMB")), (QStringList{"1", "2"}));
    EXPECT_EQ(heads.columns[col(heads, QStringLiteral("JHDATE"))].type, wire::Type::DateTime);
    const auto date = [&](int row, const char *name) { return cell(heads, row, name).toDateTime().date(); };
    EXPECT_EQ(date(0, "JHDATE"), QDate::currentDate().addDays(-1));
    EXPECT_EQ(date(0, "JHSEDATE"), QDate::currentDate());
    EXPECT_EQ(date(0, "JHNYDT"), QDate::currentDate());
    EXPECT_EQ(date(1, "JHSEDATE"), QDate(1900, 1, 1));
    EXPECT_EQ(date(1, "JHNYDT"), QDate(1900, 1, 1));
    EXPECT_EQ(column(heads, QStringLiteral("phADNB_name")), (QStringList{"김관리", "김관리"}));
    EXPECT_EQ(column(heads, QStringLiteral("bunho")),
              (QStringList{day(1).left(6) + "-00001", day().left(6) + "-00002"}));
    EXPECT_EQ(column(heads, QStringLiteral("JHYEAR")), (QStringList{day(1).left(4), day().left(4)}));

    const wire::Answer lines = call(kJobOrderLines, {{"A_CMCD", QStringLiteral("9999")},
                                                     {"A_BUUT", QStringLiteral("9999")},
                                                     {"A_MONTH", day(1).left(6)},
                                                     {"A_NUMB", 1}},
                                    QStringLiteral("dspStoredProc5"));
    ASSERT_OK(lines);
    EXPECT_EQ(column(lines, QStringLiteral("JDSEQ")), (QStringList{"1", "2"}));
    EXPECT_EQ(column(lines, QStringLiteral("JDITNB")), (QStringList{"100001", "100002"}));
    EXPECT_EQ(column(lines, QStringLiteral("imname")), (QStringList{"우유식빵", "단팥빵"}));
    EXPECT_EQ(column(lines, QStringLiteral("JDQTY")), (QStringList{"10", "20"}));
    EXPECT_EQ(column(lines, QStringLiteral("JDUNIT")), (QStringList{"EA", "EA"}));
    EXPECT_EQ(column(lines, QStringLiteral("IMITTY")), (QStringList{"1", "1"}));
}

// Production #1 (우유식빵 20 + 1 lost, 단팥빵 30 + 2 lost, 식빵반죽 10000 G):
// what stock today loses when it is taken away, with a line in a pack unit
// and a recipe line in the ingredient's pack unit added.
TEST_F(Production, ProductionAddsItsOutputAndTakesTheRecipesIngredientsLossIncluded)
{
    auto lease = server().store().acquire();
    SQLite::Database &db = lease.db();
    const std::string month = day(1).left(6).toStdString();
    db.exec("BEGIN");
    auto rollback = qScopeGuard([&] { db.exec("ROLLBACK"); });

    const auto effectOfProduction1 = [&] {
        const std::map<QString, double> with = stockToday(db);
        db.exec("SAVEPOINT without");
        db.exec("DELETE FROM F3301 WHERE RDCMCD = '9999' AND RDBUUT = '9999' AND RDMONTH = '" + month
                + "' AND RDNUMB = 1");
        const std::map<QString, double> without = stockToday(db);
        db.exec("ROLLBACK TO without");
        db.exec("RELEASE without");
        std::map<QString, double> effect;
        for (const auto &[item, qty] : with)
            if (const double d = qty - (without.count(item) ? without.at(item) : 0); std::abs(d) > 1e-9)
                effect[item] = d;
        return effect;
    };

    const std::map<QString, double> expected = {
        {"100001", 20},   // 우유식빵: the loss never was stock
        {"100002", 30},   // 단팥빵
        {"300001", -3060}, // 식빵반죽: +10000, -(21 / 10 x 5000) - (32 / 20 x 1600)
        {"500001", -6000}, // 강력분: 10000 / 1000 x 600
        {"500002", -400},  // 설탕: 10000 / 1000 x 40
        {"500003", -610},  // 버터: 10000 / 1000 x 40 + 21 / 10 x 100
        {"500005", -3200}, // 우유: 10000 / 1000 x 320
        {"500006", -1600}, // 팥앙금: 32 / 20 x 1000
    };
    EXPECT_EQ(effectOfProduction1(), expected);

    // The loss is listed, not counted.
    SQLite::Statement loss(db, "SELECT SUM(qty) FROM V_STOCKMOVE WHERE cmcd = '9999' AND buut = '9999'"
                               " AND itnb = '100002' AND kind = 'PLOSS' AND day = '" + day(1).toStdString() + "'");
    ASSERT_TRUE(loss.executeStep());
    EXPECT_EQ(loss.getColumn(0).getDouble(), 2);

    // 2 KG of 식빵반죽 counts 2000 G and takes its ingredients for 2000 G; a
    // recipe line of 0.04 KG of 설탕 per 1000 G takes 40 G per 1000 G.
    db.exec("INSERT INTO F3301 (RDCMCD, RDBUUT, RDMONTH, RDNUMB, RDSEQ, RDITNB, RDUNIT, RDQTY, RDMDAN, RDLDAN, RDMCAL)"
            " VALUES ('9999', '9999', '" + month + "', 1, 4, '300001', 'KG', 2, 'KG', 'G', 1000)");
    db.exec("UPDATE F0231 SET MDWGHT = 0.04, MDUNIT = 'KG' WHERE MDCMCD = '9999' AND MDBUUT = '9999'"
            " AND MDITNB = '300001' AND MDMTNB = '500002'");
    const std::map<QString, double> effect = effectOfProduction1();
    EXPECT_DOUBLE_EQ(effect.at("300001"), -3060 + 2000);
    EXPECT_DOUBLE_EQ(effect.at("500001"), -6000 - 1200);
    EXPECT_DOUBLE_EQ(effect.at("500002"), -400 - 80);
}

// The forecast of store 0004 (직영2호, which has no documents of its own) for
// a day of received orders written here, against a table of need, proper
// stock, stock on hand and quantities already in job orders of that day.
TEST_F(Production, JobOrdersAreWrittenLineByLineAResentHeaderReplacesThemAndBadWritesAreRefused)
{
    const QString month = QStringLiteral("203104");
    ASSERT_OK(jobHeader(month, 1, QStringLiteral("20310405")));
    ASSERT_OK(jobLine(month, 1, 1, QStringLiteral("100001"), 12.5));
    ASSERT_OK(jobLine(month, 1, 2, QStringLiteral("100003"), 4));
    EXPECT_EQ(rows("SELECT JHYEAR, JHDATE, JHSEDATE, JHNYDT, JHWORK, JHPGID FROM F3310 WHERE JHMONTH = '203104'"),
              QStringList{"2031|20310405|20310405|20310405|90000001|F1301_JobOrder"});
    EXPECT_EQ(rows("SELECT JDSEQ, JDITNB, JDQTY, JDMDAN, JDLDAN, JDMCAL FROM F3311 WHERE JDMONTH = '203104'"
                   " ORDER BY JDSEQ"),
              (QStringList{"1|100001|12.5|BOX|EA|10.0", "2|100003|4.0|BOX|EA|10.0"}));

    // Sent again with one line: the job order holds that line only.
    ASSERT_OK(jobHeader(month, 1, QStringLiteral("20310406")));
    ASSERT_OK(jobLine(month, 1, 1, QStringLiteral("100002"), 3));
    EXPECT_EQ(rows("SELECT JHDATE FROM F3310 WHERE JHMONTH = '203104'"), QStringList{"20310406"});
    EXPECT_EQ(rows("SELECT JDSEQ, JDITNB FROM F3311 WHERE JDMONTH = '203104'"), QStringList{"1|100002"});

    const struct {
        const char *what;
        wire::Answer answer;
    } refused[] = {
        {"no number", jobHeader(month, 0, QStringLiteral("20310405"))},
        {"line without its header", jobLine(month, 2, 1, QStringLiteral("100001"), 1)},
        {"line without item", jobLine(month, 1, 2, QString(), 1)},
        {"line without sequence", jobLine(month, 1, 0, QStringLiteral("100001"), 1)},
        {"unknown part", call(kJobOrderInsert, {{"GUBUN", 3}})},
    };
    for (const auto &c : refused) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(c.answer.isError());
    }
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F3310 WHERE JHMONTH = '203104'"), 1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F3311 WHERE JDMONTH = '203104'"), 1);
}

// The server's own calls carry no signed-in user (the screen test sees the
// terminal's user in the audit row).
TEST_F(Production, AJobOrderDeleteTakesItsLinesWithAnAuditRowAndRefusesAMissingOne)
{
    const QString month = QStringLiteral("203105");
    for (qint64 n : {1, 2}) {
        ASSERT_OK(jobHeader(month, n, QStringLiteral("20310501")));
        ASSERT_OK(jobLine(month, n, 1, QStringLiteral("100001"), 1));
    }
    const auto remove = [&month](qint64 n) {
        return call(QStringLiteral("GP_DELETE_F3310_WORKENTRY"),
                    {{"JHCMCD", QStringLiteral("9999")}, {"JHBUUT", QStringLiteral("9999")}, {"JHMONTH", month},
                     {"JHNUMB", n}},
                    QStringLiteral("dspStoredProc10"));
    };
    ASSERT_OK(remove(1));
    EXPECT_EQ(rows("SELECT JHNUMB FROM F3310 WHERE JHMONTH = '203105'"), QStringList{"2"});
    EXPECT_EQ(rows("SELECT JDNUMB FROM F3311 WHERE JDMONTH = '203105'"), QStringList{"2"});
    EXPECT_EQ(rows("SELECT AUPROC, AUWORK FROM SYS_AUDIT WHERE AUKEY = '9999/9999/203105-00001'"),
              QStringList{"GP_DELETE_F3310_WORKENTRY|"});
    EXPECT_TRUE(remove(1).isError());
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM SYS_AUDIT WHERE AUKEY = '9999/9999/203105-00001'"), 1);
}

TEST_F(Production, ForecastIsWhatTheOrdersNeedPlusProperStockLessStockAndJobOrders)
{
    const QString due = QDate::currentDate().addDays(40).toString(QStringLiteral("yyyyMMdd"));
    const std::string d = due.toStdString();
    const std::string m = d.substr(0, 6);
    // Unit 0004 holds only what this test writes: the demo's own stock and
    // documents there are cleared before and after.
    const auto clear = [] {
        exec("DELETE FROM F2401 WHERE ODBUUT = '0004'; DELETE FROM F2400 WHERE OHBUUT = '0004';"
             "DELETE FROM F3201 WHERE DDBUUT = '0004'; DELETE FROM F3200 WHERE DHBUUT = '0004';"
             "DELETE FROM F3311 WHERE JDBUUT = '0004'; DELETE FROM F3310 WHERE JHBUUT = '0004';"
             "DELETE FROM F3400 WHERE SKBUUT = '0004';"
             "UPDATE F0200 SET IMJEGO = (SELECT s.IMJEGO FROM F0200 s WHERE s.IMCMCD = F0200.IMCMCD"
             " AND s.IMBUUT = '9999' AND s.IMITNB = F0200.IMITNB) WHERE IMCMCD = '9999' AND IMBUUT = '0004'");
    };
    clear();
    auto cleanup = qScopeGuard(clear);

    struct Case {
        const char *item;
        double proper, stock, jobOrdered;
        const char *unit;      // ODUNIT of the answer
        double orderedInUnit;  // ODQTY of the answer
        double forecast;
    };
    // Orders (all due on `due`): 100001 10 EA; 100002 20 EA; 100003 10 BOX of
    // 10; 100004 8 EA and 7 EA, 5 of them released; 300001 3000 G. Not
    // listed: goods (200001), an item not produced (100006), a force-closed
    // order (100005), an order due the day after.
    const Case cases[] = {
        {"100001", 20, 15, 0, "EA", 10, 15},   // 10 + 20 - 15
        {"100002", 30, 60, 0, "EA", 20, 0},    // 20 + 30 - 60 < 0
        {"100003", 0, 0, 30, "BOX", 10, 70},   // 100 EA - 30 in a job order
        {"100004", 0, 0, 0, "EA", 15, 10},     // 15 ordered, 10 left to release
        {"300001", 5000, 1000, 2000, "G", 3000, 5000},
    };
    for (const Case &c : cases) {
        exec("UPDATE F0200 SET IMJEGO = " + std::to_string(c.proper) + " WHERE IMCMCD = '9999' AND IMBUUT = '0004'"
             " AND IMITNB = '" + c.item + "'");
        exec("INSERT INTO F3400 (SKCMCD, SKBUUT, SKITNB, SKDATE, SKQTY) VALUES ('9999', '0004', '" + std::string(c.item)
             + "', '20000101', " + std::to_string(c.stock + (std::string(c.item) == "100004" ? 5 : 0)) + ")");
    }
    exec("INSERT INTO F2400 (OHCMCD, OHBUUT, OHMONTH, OHNUMB, OHDATE, OHNYDT, OHEDFL) VALUES"
         " ('9999', '0004', '" + m + "', 1, '" + d + "', '" + d + "', 0),"
         " ('9999', '0004', '" + m + "', 2, '" + d + "', '" + d + "', 0),"
         " ('9999', '0004', '" + m + "', 3, '" + d + "', '" + d + "', 1),"
         " ('9999', '0004', '" + m + "', 4, '" + d + "', '99991231', 0)");
    exec("INSERT INTO F2401 (ODCMCD, ODBUUT, ODMONTH, ODNUMB, ODSEQ, ODITNB, ODUNIT, ODQTY, ODMDAN, ODLDAN, ODMCAL)"
         " VALUES ('9999', '0004', '" + m + "', 1, 1, '100001', 'EA', 10, 'BOX', 'EA', 10),"
         " ('9999', '0004', '" + m + "', 1, 2, '100002', 'EA', 20, 'BOX', 'EA', 10),"
         " ('9999', '0004', '" + m + "', 1, 3, '100003', 'BOX', 10, 'BOX', 'EA', 10),"
         " ('9999', '0004', '" + m + "', 1, 4, '100004', 'EA', 8, 'BOX', 'EA', 10),"
         " ('9999', '0004', '" + m + "', 1, 5, '200001', 'EA', 5, 'BOX', 'EA', 20),"
         " ('9999', '0004', '" + m + "', 1, 6, '100006', 'EA', 5, 'EA', 'EA', 1),"
         " ('9999', '0004', '" + m + "', 2, 1, '100004', 'EA', 7, 'BOX', 'EA', 10),"
         " ('9999', '0004', '" + m + "', 2, 2, '300001', 'G', 3000, 'KG', 'G', 1000),"
         " ('9999', '0004', '" + m + "', 3, 1, '100005', 'EA', 4, 'EA', 'EA', 1),"
         " ('9999', '0004', '" + m + "', 4, 1, '100001', 'EA', 50, 'BOX', 'EA', 10)");
    exec("INSERT INTO F3200 (DHCMCD, DHBUUT, DHMONTH, DHNUMB, DHDATE, DHCHTY) VALUES ('9999', '0004', '" + m
         + "', 1, '20000102', '001')");
    exec("INSERT INTO F3201 (DDCMCD, DDBUUT, DDMONTH, DDNUMB, DDSEQ, DDITNB, DDUNIT, DDQTY, DDRFMONTH, DDRFNUMB,"
         " DDRFSEQ) VALUES ('9999', '0004', '" + m + "', 1, 1, '100004', 'EA', 5, '" + m + "', 2, 1)");
    exec("INSERT INTO F3310 (JHCMCD, JHBUUT, JHMONTH, JHNUMB, JHDATE, JHSEDATE, JHNYDT) VALUES"
         " ('9999', '0004', '" + m + "', 1, '" + d + "', '" + d + "', '" + d + "'),"
         " ('9999', '0004', '" + m + "', 2, '" + d + "', '99991231', '99991231')");
    exec("INSERT INTO F3311 (JDCMCD, JDBUUT, JDMONTH, JDNUMB, JDSEQ, JDITNB, JDUNIT, JDQTY, JDMDAN, JDLDAN, JDMCAL)"
         " VALUES ('9999', '0004', '" + m + "', 1, 1, '100003', 'BOX', 3, 'BOX', 'EA', 10),"
         " ('9999', '0004', '" + m + "', 1, 2, '300001', 'KG', 2, 'KG', 'G', 1000),"
         " ('9999', '0004', '" + m + "', 2, 1, '100001', 'EA', 99, 'BOX', 'EA', 10)");

    const wire::Answer a = call(kForecast, {{"@a_cmcd", QStringLiteral("9999")},
                                            {"@a_buut", QStringLiteral("0004")},
                                            {"@a_DATE", due}},
                                QStringLiteral("dspStoredProc3"));
    ASSERT_OK(a);
    ASSERT_EQ(a.rows.size(), int(std::size(cases)));
    for (int row = 0; row < int(std::size(cases)); ++row) {
        const Case &c = cases[row];
        SCOPED_TRACE(c.item);
        EXPECT_EQ(cell(a, row, "ODITNB").toString(), QLatin1String(c.item));
        EXPECT_EQ(cell(a, row, "ODUNIT").toString(), QLatin1String(c.unit));
        EXPECT_DOUBLE_EQ(cell(a, row, "ODQTY").toDouble(), c.orderedInUnit);
        EXPECT_DOUBLE_EQ(cell(a, row, "IMJJGO").toDouble(), c.proper);
        EXPECT_DOUBLE_EQ(cell(a, row, "current_qty").toDouble(), c.stock);
        EXPECT_DOUBLE_EQ(cell(a, row, "product_qty").toDouble(), c.jobOrdered);
        EXPECT_DOUBLE_EQ(cell(a, row, "forcast_qty").toDouble(), c.forecast);
        EXPECT_EQ(cell(a, row, "ohnydt").toString(), QDate::fromString(due, QStringLiteral("yyyyMMdd")).toString(Qt::ISODate));
    }
    // Units: ODLDAN is the item's base unit, ODMDAN / ODMCAL its pack unit.
    EXPECT_EQ(column(a, QStringLiteral("ODLDAN")), (QStringList{"EA", "EA", "EA", "EA", "G"}));
    EXPECT_EQ(column(a, QStringLiteral("ODMDAN")), (QStringList{"BOX", "BOX", "BOX", "BOX", "KG"}));
    EXPECT_EQ(column(a, QStringLiteral("ODMCAL")), (QStringList{"10", "10", "10", "10", "1000"}));
    EXPECT_EQ(cell(a, 0, "IMNAME").toString(), QStringLiteral("우유식빵"));
}
