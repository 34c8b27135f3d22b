// The ledgers on the server: the stock rule around an opening balance, the
// period figures of the product and raw-material ledgers (on fixture
// documents of May 2001 at store 0003, and on the seeded store over this
// month and the last), the component use of the seeded set and its
// component list.

#include "ServerTestUtil.h"
#include "StockView.h"
#include "support/StockDocuments.h"

#include <QDate>

#include <SQLiteCpp/Statement.h>

#include <map>
#include <string>

using namespace servertest;

namespace {

const QString kProducts = QStringLiteral("GP_SELECT_F3400_PROSTOCKINQUIRY");
const QString kMaterials = QStringLiteral("GP_SELECT_F3400_MATSTOCKINQUIRY");
const QString kComponentUse = QStringLiteral("GP_SELECT_F3400_ComponentUse");
const QString kComponents = QStringLiteral("GP_SELECT_F0240_COMPONENTRATE1");

QString day(int back = 0) { return QDate::currentDate().addDays(-back).toString(QStringLiteral("yyyyMMdd")); }

// 우유식빵 100001: balance 20 on the 10th, a receipt of 7 before it (ignored),
// a production of 5 with 1 lost on the 11th, a release of 2 on the 12th.
// 단팥빵 100002, no balance: a receipt of 5 on the 5th, a discard of 1 on the 12th.
// 소보로빵 100003: balances 10 on the 5th and 30 on the 20th, a receipt of 4 on the 10th.
// The demo's own balances at 0003 are removed first.
class Ledgers : public ServerSuite {
public:
    static void SetUpTestSuite()
    {
        ServerSuite::SetUpTestSuite();
        using namespace stockdocs;
        const std::string s = "0003";
        // The fixture alone decides the opening balances there.
        exec("DELETE FROM F3400 WHERE SKCMCD = '9999' AND SKBUUT = '0003';");
        exec(balance(s, "100001", "20010510", 20) + receipt(s, 1, "100001", "20010505", 7)
             + production(s, 1, "100001", "20010511", 5, 1) + release(s, 1, "001", "100001", "20010512", 2)
             + receipt(s, 2, "100002", "20010505", 5) + release(s, 2, "005", "100002", "20010512", 1)
             + balance(s, "100003", "20010505", 10) + balance(s, "100003", "20010520", 30)
             + receipt(s, 3, "100003", "20010510", 4));
    }

protected:
    static double stockOn(const char *item, const char *day)
    {
        const QString sql = QStringLiteral("WITH ")
                            + hq::stockOnDayCte(QStringLiteral("s"), QStringLiteral("'9999'"), QStringLiteral("'0003'"),
                                                QStringLiteral("'%1'").arg(QLatin1String(day)))
                            + QStringLiteral(" SELECT COALESCE((SELECT qty FROM s WHERE itnb = '%1'), 0)")
                                  .arg(QLatin1String(item));
        auto lease = server().store().acquire();
        return lease.db().execAndGet(sql.toStdString()).getDouble();
    }

    static wire::Answer ledger(const QString &procedure, const QString &store, const QString &from,
                               const QString &to)
    {
        return call(procedure, {{"a_gubun", QStringLiteral("1")}, {"a_cmcd", QStringLiteral("9999")},
                                {"a_buut", store},                {"a_itty", QString()},
                                {"a_gkid", QString()},            {"a_mkid", QString()},
                                {"a_name", QString()},            {"a_stdt", from},
                                {"a_eddt", to},                   {"a_st_han", QString()},
                                {"a_ed_han", QStringLiteral("zzzzzzzzzz")}});
    }

    // The row of an item as figure name -> value.
    static std::map<QString, double> rowOf(const wire::Answer &a, const QString &item)
    {
        std::map<QString, double> out;
        for (int r = 0; r < a.rows.size(); ++r)
            if (cell(a, r, QStringLiteral("itnb")).toString() == item)
                for (int c = 0; c < a.columns.size(); ++c)
                    if (a.columns[c].type != wire::Type::String)
                        out[a.columns[c].name] = a.rows[r][c].toDouble();
        return out;
    }
};

} // namespace

TEST_F(Ledgers, StockBeforeTheOpeningBalanceIsTheBalance)
{
    struct Case {
        const char *item, *day;
        double stock;
    };
    const Case cases[] = {
        {"100001", "20010501", 20}, // before the balance: the balance
        {"100001", "20010509", 20},
        {"100001", "20010510", 20}, // the receipt before it never counts
        {"100001", "20010511", 25}, // production counts, its loss does not
        {"100001", "20010512", 23},
        {"100002", "20010504", 0},  // no balance: every movement so far
        {"100002", "20010505", 5},
        {"100002", "20010512", 4},
        {"100003", "20010501", 10}, // the first balance stands before it
        {"100003", "20010510", 14},
        {"100003", "20010520", 30}, // a later balance replaces what came before
        {"100003", "20010531", 30},
    };
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(stockOn(c.item, c.day), c.stock) << c.item << " " << c.day;
}

TEST_F(Ledgers, ProductFiguresOfAPeriodAddUpAroundTheBalance)
{
    struct Case {
        const char *item, *from, *to;
        double current, seng, in, out, loss, stock;
    };
    const Case cases[] = {
        // A period starting before, on and after the balance day opens with it.
        {"100001", "20010501", "20010512", 20, 6, 0, 2, 1, 23},
        {"100001", "20010510", "20010512", 20, 6, 0, 2, 1, 23},
        {"100001", "20010511", "20010511", 20, 6, 0, 0, 1, 25},
        {"100001", "20010512", "20010531", 25, 0, 0, 2, 0, 23},
        // Before the balance nothing moves.
        {"100001", "20010501", "20010509", 20, 0, 0, 0, 0, 20},
        {"100002", "20010501", "20010531", 0, 0, 5, 0, 1, 4},
        {"100002", "20010506", "20010531", 5, 0, 0, 0, 1, 4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.item) + " " + c.from + ".." + c.to);
        const wire::Answer a = ledger(kProducts, QStringLiteral("0003"), QLatin1String(c.from), QLatin1String(c.to));
        ASSERT_OK(a);
        std::map<QString, double> row = rowOf(a, QLatin1String(c.item));
        ASSERT_FALSE(row.empty());
        EXPECT_DOUBLE_EQ(row["current_qty"], c.current);
        EXPECT_DOUBLE_EQ(row["seng_qty"], c.seng);
        EXPECT_DOUBLE_EQ(row["in_qty"], c.in);
        EXPECT_DOUBLE_EQ(row["out_qty"], c.out);
        EXPECT_DOUBLE_EQ(row["loss_qty"], c.loss);
        EXPECT_DOUBLE_EQ(row["stock_qty"], c.stock);
        // 우유식빵 and 단팥빵 are priced 1,800 and 700 at their transfer price.
        const double price = QLatin1String(c.item) == QLatin1String("100001") ? 1800 : 700;
        EXPECT_DOUBLE_EQ(row["stock_amt"], c.stock * price);
        EXPECT_DOUBLE_EQ(row["seng_amt"], c.seng * price);
    }
    // Items without any figure are left out; a bad day is refused.
    const wire::Answer old = ledger(kProducts, QStringLiteral("0003"), QStringLiteral("19990101"),
                                    QStringLiteral("19990131"));
    EXPECT_EQ(column(old, QStringLiteral("itnb")), (QStringList{"100001", "100003"}));
    EXPECT_EQ(old.columns.size(), 19);
    EXPECT_TRUE(ledger(kProducts, QStringLiteral("0003"), QStringLiteral("2001-05-01"), QStringLiteral("20010531"))
                    .isError());
}

// Over last month and this one, every row of the seeded store adds up, last
// month opens with the opening balances and ends where this month begins.
TEST_F(Ledgers, SeededLedgersAddUpAndFollowOnFromMonthToMonth)
{
    const QDate today = QDate::currentDate();
    const QDate first(today.year(), today.month(), 1);
    const QString lastFrom = first.addMonths(-1).toString(QStringLiteral("yyyyMMdd"));
    const QString lastTo = first.addDays(-1).toString(QStringLiteral("yyyyMMdd"));
    std::map<QString, double> balances;
    {
        auto lease = server().store().acquire();
        SQLite::Statement st(lease.db(), "SELECT SKITNB, SKQTY FROM F3400 WHERE SKCMCD = '9999' AND SKBUUT = '9999'"
                                         " AND SKDATE = ?1");
        st.bind(1, lastFrom.toStdString());
        while (st.executeStep())
            balances[QString::fromStdString(st.getColumn(0).getString())] = st.getColumn(1).getDouble();
    }
    ASSERT_EQ(balances.size(), 20u);

    for (const QString &procedure : {kProducts, kMaterials}) {
        SCOPED_TRACE(procedure.toStdString());
        const bool products = procedure == kProducts;
        const wire::Answer last = ledger(procedure, QStringLiteral("9999"), lastFrom, lastTo);
        const wire::Answer now = ledger(procedure, QStringLiteral("9999"), first.toString(QStringLiteral("yyyyMMdd")),
                                        day());
        ASSERT_OK(last);
        ASSERT_OK(now);
        ASSERT_FALSE(now.rows.isEmpty());
        std::map<QString, double> closing;
        for (const wire::Answer *a : {&last, &now}) {
            for (int r = 0; r < a->rows.size(); ++r) {
                const QString item = cell(*a, r, QStringLiteral("itnb")).toString();
                const auto f = [&](const char *name) { return cell(*a, r, QLatin1String(name)).toDouble(); };
                const double seng = products ? f("seng_qty") : 0;
                EXPECT_NEAR(f("stock_qty"), f("current_qty") + seng + f("in_qty") - f("out_qty") - f("loss_qty"),
                            1e-6)
                    << item.toStdString();
                if (a == &last) {
                    EXPECT_DOUBLE_EQ(f("current_qty"), balances[item]) << item.toStdString();
                    closing[item] = f("stock_qty");
                } else {
                    EXPECT_NEAR(f("current_qty"), closing[item], 1e-6) << item.toStdString();
                }
            }
        }
    }
}

// The seeded set 600009 = 600001 + 600002 + 600003 over T-6 .. T: the
// cake's packing (5 of each on T), the secondary-material release of 4
// boxes and the discard of 3 ribbons on T-6, the opening stock at the
// balances.
TEST_F(Ledgers, ComponentUseCountsWholeSetsOfEachComponent)
{
    const wire::Answer use = call(kComponentUse, {{"a_gubun", QStringLiteral("1")},
                                                  {"a_cmcd", QStringLiteral("9999")},
                                                  {"a_buut", QStringLiteral("9999")},
                                                  {"a_itty", QString()},
                                                  {"a_gkid", QString()},
                                                  {"a_mkid", QString()},
                                                  {"a_name", QStringLiteral("없는이름")},
                                                  {"a_stdt", day(6)},
                                                  {"a_eddt", day()},
                                                  {"a_st_han", QString()},
                                                  {"a_ed_han", QStringLiteral("zzzzzzzzzz")}},
                                  QStringLiteral("dspStoredProc2"));
    ASSERT_OK(use);
    EXPECT_EQ(column(use, QStringLiteral("kpcd")), (QStringList{"600009", "600009", "600009"}));
    EXPECT_EQ(column(use, QStringLiteral("cnt")), (QStringList{"3", "3", "3"}));
    EXPECT_EQ(column(use, QStringLiteral("seq")), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(column(use, QStringLiteral("each_count_current")), (QStringList{"100", "200", "150"}));
    EXPECT_EQ(column(use, QStringLiteral("each_count_out")), (QStringList{"9", "5", "5"}));
    EXPECT_EQ(column(use, QStringLiteral("each_count_loss")), (QStringList{"0", "3", "0"}));
    EXPECT_EQ(column(use, QStringLiteral("buut")), (QStringList{"9999", "9999", "9999"}));

    // Two boxes a set: the 9 boxes used make 4 whole sets; 2.5 packs a set:
    // the 5 used make 2.
    exec("UPDATE F0240 SET CASAWT = 2 WHERE CACMCD = '9999' AND CABUUT = '9999' AND CAITNB = '600001';"
         "UPDATE F0240 SET CASAWT = 2.5 WHERE CACMCD = '9999' AND CABUUT = '9999' AND CAITNB = '600003'");
    const wire::Answer halves = ledger(kComponentUse, QStringLiteral("9999"), day(6), day());
    exec("UPDATE F0240 SET CASAWT = 1 WHERE CACMCD = '9999' AND CABUUT = '9999' AND CAPUB1 = '600009'");
    EXPECT_EQ(column(halves, QStringLiteral("each_count_out")), (QStringList{"4", "5", "2"}));
    EXPECT_EQ(column(halves, QStringLiteral("each_count_current")), (QStringList{"50", "200", "60"}));

    // No component moved: no rows, the columns still come.
    const wire::Answer none = ledger(kComponentUse, QStringLiteral("9999"), QStringLiteral("20000101"),
                                     QStringLiteral("20000131"));
    ASSERT_OK(none);
    EXPECT_TRUE(none.rows.isEmpty());
    EXPECT_EQ(none.columns.size(), 8);

    // The material rows name the set of each component.
    const wire::Answer rows = ledger(kMaterials, QStringLiteral("9999"), day(6), day());
    for (int r = 0; r < rows.rows.size(); ++r) {
        const QString item = cell(rows, r, QStringLiteral("itnb")).toString();
        const bool component = item == "600001" || item == "600002" || item == "600003";
        EXPECT_EQ(cell(rows, r, QStringLiteral("kpcd")).toString(), component ? "600009" : "") << item.toStdString();
        EXPECT_EQ(cell(rows, r, QStringLiteral("casawt")).toDouble(), component ? 1 : 0) << item.toStdString();
        EXPECT_EQ(cell(rows, r, QStringLiteral("prky")).toString(), item);
    }
    const std::map<QString, double> set = rowOf(rows, QStringLiteral("600009"));
    EXPECT_EQ(set.at("imbhup"), 650);
    EXPECT_EQ(set.at("out_qty"), 0);
}

TEST_F(Ledgers, ComponentListOfASet)
{
    const wire::Answer list = call(kComponents, {{"A_CMCD", QStringLiteral("9999")},
                                                 {"A_BUUT", QStringLiteral("9999")},
                                                 {"A_ITNB", QStringLiteral("600009")}},
                                   QStringLiteral("dspStoredProc2"));
    ASSERT_OK(list);
    EXPECT_EQ(column(list, QStringLiteral("caitnb")), (QStringList{"600001", "600002", "600003"}));
    EXPECT_EQ(column(list, QStringLiteral("imname")), (QStringList{"케이크박스", "리본", "보냉팩"}));
    EXPECT_EQ(column(list, QStringLiteral("component_name")),
              (QStringList{"케이크포장세트", "케이크포장세트", "케이크포장세트"}));
    EXPECT_EQ(column(list, QStringLiteral("buut_name")), (QStringList{"데모지점", "데모지점", "데모지점"}));
    EXPECT_EQ(column(list, QStringLiteral("capub1")), (QStringList{"600009", "600009", "600009"}));
    EXPECT_EQ(column(list, QStringLiteral("imedan")), (QStringList{"EA", "EA", "EA"}));
    EXPECT_EQ(column(list, QStringLiteral("casawt")), (QStringList{"1", "1", "1"}));
    EXPECT_EQ(column(list, QStringLiteral("immcal")), (QStringList{"50", "100", "100"}));

    const wire::Answer none = call(kComponents, {{"A_CMCD", QStringLiteral("9999")},
                                                 {"A_BUUT", QStringLiteral("9999")},
                                                 {"A_ITNB", QStringLiteral("600001")}});
    EXPECT_TRUE(none.rows.isEmpty());
    EXPECT_EQ(none.columns.size(), 12);
}
