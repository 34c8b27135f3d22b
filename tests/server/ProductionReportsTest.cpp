// The production reports on the server: the daily report, the daily totals
// of a production line and the totals by item and month, over productions
// written through the production insert in 2032 (numbers 1xx), so the demo
// productions stay out of the way.

#include "ServerTestUtil.h"

#include <QScopeGuard>

using namespace servertest;

namespace {

const QString kInsert = QStringLiteral("GP_INSERT_F3300_PRODUCTENTRY");
const QString kDailyReport = QStringLiteral("GP_SELECT_F3301_PRODUCTINQUIRY");
const QString kDailySum = QStringLiteral("GP_SELECT_F3301_DAILYPRODUCTSUM");
const QString kItemSum = QStringLiteral("GP_SELECT_F3200_ITEMPRODUCTSUM");

using Rows = std::vector<std::string>;

struct Line {
    const char *item;
    const char *line;
    double qty;
    const char *unit = "EA";
};

class ProductionReports : public ServerSuite {
protected:
    static void SetUpTestSuite()
    {
        ServerSuite::SetUpTestSuite();
        // 우유식빵 1,800 / 3,500, 단팥빵 700 / 1,500, 생크림케이크 12,000 / 25,000.
        save(QStringLiteral("20320305"), 101, "001", {{"100001", "001", 2.3}, {"100002", "001", 2.3}});
        // A pattern production: lines of both production lines under header 001.
        save(QStringLiteral("20320305"), 102, "001", {{"100001", "002", 1}, {"100005", "002", 2}, {"100001", "001", 4}});
        save(QStringLiteral("20320420"), 103, "001", {{"100001", "001", 10}, {"100002", "001", 3, "BOX"}});
        save(QStringLiteral("20321231"), 104, "002", {{"100005", "002", 1.5}});
        save(QStringLiteral("20330101"), 105, "001", {{"100001", "001", 99}});
    }

    // A production as production entry saves it: the header, then its lines.
    static void save(const QString &day, qint64 numb, const char *headerLine, std::initializer_list<Line> lines)
    {
        const QString month = day.left(6);
        const wire::Answer h = call(kInsert,
                                    {{"A_GUBUN", 1}, {"A_RHCMCD", QStringLiteral("9999")},
                                     {"A_RHBUUT", QStringLiteral("9999")}, {"A_RHMONTH", month}, {"A_RHNUMB", numb},
                                     {"A_RHYEAR", day.left(4)}, {"A_RHDATE", day}, {"A_RHLINB", QString::fromLatin1(headerLine)},
                                     {"A_RHWORK", QStringLiteral("90000001")}, {"A_RHPGID", QStringLiteral("F1003_Produce")}},
                                    QStringLiteral("dspStoredProc6"));
        ASSERT_FALSE(h.isError()) << h.error.toStdString();
        qint64 seq = 0;
        for (const Line &l : lines) {
            const wire::Answer a =
                call(kInsert,
                     {{"A_GUBUN", 2}, {"A_RDCMCD", QStringLiteral("9999")}, {"A_RDBUUT", QStringLiteral("9999")},
                      {"A_RDMONTH", month}, {"A_RDNUMB", numb}, {"A_RDSEQ", ++seq}, {"A_RDITNB", QString::fromLatin1(l.item)},
                      {"A_RDLINB", QString::fromLatin1(l.line)}, {"A_RDUNIT", QString::fromLatin1(l.unit)},
                      {"A_RDQTY", l.qty}, {"A_RDUPRC", 0}, {"A_RDAMT", 0}, {"A_RDLQTY", 0.0},
                      {"A_RDWPRC", QStringLiteral("100.75")}, {"A_RDBPRC", QStringLiteral("20.5")},
                      {"A_RDWORK", QStringLiteral("90000001")}, {"A_RDPGID", QStringLiteral("F1003_Produce")}},
                     QStringLiteral("dspStoredProc6"));
            ASSERT_FALSE(a.isError()) << a.error.toStdString();
        }
    }

    static wire::Answer dailySum(const QString &from, const QString &to, const QString &line,
                                 const QString &upper = QStringLiteral("zzzzzzzzzz"))
    {
        return call(kDailySum, {{"a_cmcd", QStringLiteral("9999")}, {"a_buut", QStringLiteral("9999")},
                                {"a_stdt", from}, {"a_eddt", to}, {"a_itnb", QString()}, {"a_st_han", QString()},
                                {"a_ed_han", upper}, {"a_linb", line}},
                    QStringLiteral("dspStoredProc3"));
    }
    static wire::Answer itemSum(const QString &year, const QString &line)
    {
        return call(kItemSum, {{"a_cmcd", QStringLiteral("9999")}, {"a_buut", QStringLiteral("9999")},
                               {"a_year", year}, {"a_linb", line}});
    }
    // The rows of an answer as "a|b|c" of the columns named.
    static std::vector<std::string> table(const wire::Answer &a, const QStringList &names)
    {
        std::vector<std::string> out;
        for (int r = 0; r < a.rows.size(); ++r) {
            QStringList cells;
            for (const QString &n : names)
                cells << cell(a, r, n).toString();
            out.push_back(cells.join(u'|').toStdString());
        }
        return out;
    }
};

} // namespace

TEST_F(ProductionReports, DailyTotalsTakeEachLinesAmountExactlyAndCountOnlyTheirOwnLine)
{
    const QString day = QStringLiteral("20320305");
    const wire::Answer one = dailySum(day, day, QStringLiteral("001"));
    ASSERT_OK(one);
    // 2.3 x 1,800 = 4,140 and 2.3 x 3,500 = 8,050 (and 4 more of the pattern
    // production's line 001); 2.3 x 700 = 1,610 and 2.3 x 1,500 = 3,450.
    EXPECT_EQ(table(one, {"buut_name", "nalja", "yoil", "itnb_name", "qty", "amt", "samt"}),
              (Rows{"데모지점|2032-03-05|금|우유식빵|6.3|11340|22050", "데모지점|2032-03-05|금|단팥빵|2.3|1610|3450"}));
    // Line 002 sees only the pattern's lines of 002, though its header says 001.
    EXPECT_EQ(table(dailySum(day, day, QStringLiteral("002")), {"itnb_name", "qty", "amt", "samt"}),
              (Rows{"우유식빵|1|1800|3500", "생크림케이크|2|24000|50000"}));

    // The name bounds: "zzzzzzzzzz" and an empty upper bound admit Hangul
    // names; a real upper bound still shuts names out.
    struct Bound {
        const char *upper;
        int rows;
    };
    for (const Bound &b : {Bound{"zzzzzzzzzz", 2}, Bound{"", 2}, Bound{"라", 1}, Bound{"다", 0}}) {
        const wire::Answer a = dailySum(day, day, QStringLiteral("001"), QString::fromUtf8(b.upper));
        ASSERT_OK(a);
        EXPECT_EQ(a.rows.size(), b.rows) << b.upper;
    }

    // A line in the pack unit counts its factor: 3 BOX of 10 at 700.
    EXPECT_EQ(table(dailySum(QStringLiteral("20320420"), QStringLiteral("20320420"), QStringLiteral("001")),
                    {"itnb_name", "qty", "amt"}),
              (Rows{"우유식빵|10|18000", "단팥빵|30|21000"}));
}

TEST_F(ProductionReports, DailyReportListsEveryLineWithItsCostsAndAmounts)
{
    const wire::Answer a =
        call(kDailyReport, {{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QStringLiteral("9999")},
                            {"A_stdt", QStringLiteral("20320305")}, {"A_eddt", QStringLiteral("20320305")},
                            {"A_gkid", QString()}, {"A_mkid", QString()}, {"A_jname", QString()},
                            {"A_st_han", QString()}, {"A_ed_han", QStringLiteral("zzzzzzzzzz")}, {"A_gubun", QStringLiteral("1")}});
    ASSERT_OK(a);
    // By day, production line and item; costs 100.75 + 20.5 truncate to 100 + 20.
    EXPECT_EQ(table(a, {"rhdate", "RDLINB", "RDITNB", "itnb_name", "gkid_name", "mkid_name", "RDUNIT", "RDQTY",
                        "RDWPRC", "RDBPRC", "cost", "RDUPRC", "amt", "RDAMT"}),
              (Rows{"2032-03-05|001|100001|우유식빵|제빵생산|빵류|EA|2.3|100|20|120|52|4140|4140",
                           "2032-03-05|001|100001|우유식빵|제빵생산|빵류|EA|4|100|20|120|30|7200|7200",
                           "2032-03-05|001|100002|단팥빵|제빵생산|빵류|EA|2.3|100|20|120|52|1610|1610",
                           "2032-03-05|002|100001|우유식빵|제빵생산|빵류|EA|1|100|20|120|120|1800|1800",
                           "2032-03-05|002|100005|생크림케이크|케이크생산|케이크류|EA|2|100|20|120|60|24000|24000"}));
}

TEST_F(ProductionReports, ItemTotalsPivotTheMonthsOfOneYearAndLine)
{
    const wire::Answer a = itemSum(QStringLiteral("2032"), QStringLiteral("001"));
    ASSERT_OK(a);
    EXPECT_EQ(table(a, {"itnb_name", "tot_gamt", "tot_samt", "gamt03", "samt03", "gamt04", "samt04", "gamt12"}),
              (Rows{"우유식빵|16.3|29340|6.3|11340|10|18000|0", "단팥빵|32.3|22610|2.3|1610|30|21000|0"}));
    // Every year total is the sum of its twelve months.
    for (const wire::Answer &answer : {a, itemSum(QStringLiteral("2032"), QStringLiteral("002"))}) {
        ASSERT_FALSE(answer.rows.isEmpty());
        for (int r = 0; r < answer.rows.size(); ++r) {
            double quantity = 0;
            qint64 amount = 0;
            for (int m = 1; m <= 12; ++m) {
                const QString mm = QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0'));
                quantity += cell(answer, r, QStringLiteral("gamt") + mm).toDouble();
                amount += cell(answer, r, QStringLiteral("samt") + mm).toLongLong();
            }
            EXPECT_DOUBLE_EQ(cell(answer, r, QStringLiteral("tot_gamt")).toDouble(), quantity);
            EXPECT_EQ(cell(answer, r, QStringLiteral("tot_samt")).toLongLong(), amount);
        }
    }
    EXPECT_EQ(table(itemSum(QStringLiteral("2032"), QStringLiteral("002")), {"itnb_name", "tot_gamt", "gamt12", "samt12"}),
              (Rows{"우유식빵|1|0|0", "생크림케이크|3.5|1.5|18000"}));

    // No year, or not a year: no rows, but every column.
    for (const char *year : {"", "20", "abcd"}) {
        const wire::Answer none = itemSum(QString::fromLatin1(year), QStringLiteral("001"));
        ASSERT_OK(none);
        EXPECT_TRUE(none.rows.isEmpty()) << year;
        EXPECT_EQ(none.columns.size(), 5 + 24) << year;
        EXPECT_GE(col(none, QStringLiteral("samt12")), 0);
    }
}

TEST_F(ProductionReports, TheDemoProductionsShowSeveralDaysOnBothLines)
{
    const auto day = [](int back) { return QDate::currentDate().addDays(-back).toString(QStringLiteral("yyyyMMdd")); };
    const wire::Answer one = dailySum(day(70), day(65), QStringLiteral("001"));
    ASSERT_OK(one);
    const QStringList days = column(one, QStringLiteral("nalja"));
    EXPECT_EQ(QSet<QString>(days.begin(), days.end()).size(), 4);
    // The pattern production's line 002 counts under 002 only.
    const wire::Answer two = dailySum(day(70), day(65), QStringLiteral("002"));
    EXPECT_EQ(column(two, QStringLiteral("itnb_name")), (QStringList{"생크림케이크", "고구마케이크"}));
}
