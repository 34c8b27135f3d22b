// The start-up and sign-in procedures over the demo data.

#include "ServerTestUtil.h"

#include <QSet>

#include <thread>

using namespace servertest;

namespace {

class Procedures : public ServerSuite {
protected:
    static wire::Answer login(const QString &user, const QString &pwd, const QString &bar,
                              const QString &store = QStringLiteral("9999"))
    {
        return call(QStringLiteral("[GP_SELECT_F0050_POS_LOGIN]"),
                    {{"@A_CMCD", QStringLiteral("9999")}, {"@A_STCD", store}, {"@A_USER", user},
                     {"@A_PWD", pwd}, {"@A_BAR", bar}});
    }
};

// Positions must be 1..n without gaps or doubles.
bool isOneToN(QList<int> positions)
{
    std::sort(positions.begin(), positions.end());
    for (int i = 0; i < positions.size(); ++i)
        if (positions[i] != i + 1)
            return false;
    return true;
}

} // namespace

TEST_F(Procedures, SignInMatchesIdAndPasswordOrBarcodeAndNeverEmptyCredentials)
{
    struct Case {
        const char *user, *pwd, *bar, *store;
        const char *expected; // user number, or "" for no row
    };
    const Case cases[] = {
        {"1001", "1234", "", "9999", "90000001"},
        {"1001", "1234", "1001", "9999", "90000001"},      // barcode edit holds a copy of the ID
        {"", "", "8800000001", "9999", "90000001"},        // barcode alone
        {"1002", "1234", "", "9999", "90000002"},
        {"1001", "4321", "", "9999", ""},                  // wrong password
        {"1001", "", "", "9999", ""},                      // empty password
        {"", "1234", "", "9999", ""},                      // empty ID
        {"", "", "", "9999", ""},                          // nothing at all
        {"1003", "1234", "8800000001", "9999", "90000001"}, // a valid barcode signs its owner in
        {"2001", "1234", "", "9999", ""},                  // user of another store
        {"2001", "1234", "", "0001", "90001001"},
        {"1001' OR '1'='1", "x' OR '1'='1", "", "9999", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.user) + "/" + c.pwd + "/" + c.bar);
        const wire::Answer a = login(QString::fromUtf8(c.user), QString::fromUtf8(c.pwd), QString::fromUtf8(c.bar),
                                     QString::fromUtf8(c.store));
        ASSERT_FALSE(a.isError()) << a.error.toStdString();
        EXPECT_EQ(a.columns.size(), 13);
        if (*c.expected) {
            ASSERT_EQ(a.rows.size(), 1);
            EXPECT_EQ(cell(a, 0, QStringLiteral("UIADNB")).toString(), QString::fromLatin1(c.expected));
        } else {
            EXPECT_TRUE(a.rows.isEmpty());
        }
    }

    // A user stored without password and barcode is never matched by empty edits.
    {
        auto lease = server().store().acquire();
        lease.db().exec("INSERT INTO F0050 (UICMCD, UIBUUT, UIADNB, UIPUSR, UIPWHASH, UIBAR) "
                        "VALUES ('9999', '9999', '90000009', '', '', '')");
    }
    EXPECT_TRUE(login(QString(), QString(), QString()).rows.isEmpty());
    EXPECT_TRUE(login(QStringLiteral(" "), QString(), QStringLiteral(" ")).rows.isEmpty());
}

TEST_F(Procedures, SignInRowCarriesGroupAndRightsFlags)
{
    wire::Answer a = login(QStringLiteral("1001"), QStringLiteral("1234"), QString());
    ASSERT_EQ(a.rows.size(), 1);
    EXPECT_EQ(cell(a, 0, QStringLiteral("abuserw")).toString(), QStringLiteral("001"));
    EXPECT_EQ(cell(a, 0, QStringLiteral("UIHAUG")), QVariant(true));
    EXPECT_EQ(cell(a, 0, QStringLiteral("UIUAUG")), QVariant(true));
    a = login(QStringLiteral("1002"), QStringLiteral("1234"), QString());
    EXPECT_EQ(cell(a, 0, QStringLiteral("UIHAUG")), QVariant(false));

    // Rights per group: 001 all, 002 no deletions, 003 no order work and no purchase-inquiry row.
    const auto rights = [](const char *group) {
        return call(QStringLiteral("[GP_SELECT_F0030_RALD]"),
                    {{"A_CMCD", QStringLiteral("9999")}, {"A_USGR", QString::fromLatin1(group)}});
    };
    const wire::Answer g1 = rights("001"), g2 = rights("002"), g3 = rights("003");
    EXPECT_EQ(g1.rows.size(), 15);
    EXPECT_EQ(g2.rows.size(), 15);
    EXPECT_EQ(g3.rows.size(), 14);
    EXPECT_FALSE(column(g3, QStringLiteral("slpgid")).contains(QStringLiteral("F20_PURCHASEINQUIRY")));
    const int entry = int(column(g3, QStringLiteral("slpgid")).indexOf(QStringLiteral("F20_PURCHASEENTRY")));
    ASSERT_GE(entry, 0);
    EXPECT_EQ(cell(g3, entry, QStringLiteral("uaug")), QVariant(false));
    for (int r = 0; r < g2.rows.size(); ++r)
        EXPECT_EQ(cell(g2, r, QStringLiteral("deau")), QVariant(false));
}

TEST_F(Procedures, NoticesNewestFirstAndOneByNumber)
{
    wire::Answer a = call(QStringLiteral("[GP_SELECT_F4500_POS_NOTICE]"),
                          {{"@FBCMCD", QStringLiteral("9999")}, {"@FBBUUT", QStringLiteral("9999")}, {"@FBNUMB", 0}});
    ASSERT_EQ(a.rows.size(), 12);
    EXPECT_EQ(cell(a, 0, QStringLiteral("FBNUMB")).toInt(), 12);
    EXPECT_EQ(cell(a, 0, QStringLiteral("FBDATE2")).toString(), QDate::currentDate().toString(Qt::ISODate));
    a = call(QStringLiteral("[GP_SELECT_F4500_POS_NOTICE]"),
             {{"@FBCMCD", QStringLiteral("9999")}, {"@FBBUUT", QStringLiteral("9999")}, {"@FBNUMB", 5}});
    ASSERT_EQ(a.rows.size(), 1);
    EXPECT_EQ(cell(a, 0, QStringLiteral("FBNUMB")).toInt(), 5);
}

TEST_F(Procedures, PadPositionsAreNumberedWithoutGaps)
{
    const Params store = {{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QStringLiteral("9999")}};
    const wire::Answer a = call(QStringLiteral("[GP_SELECT_F0060_STOCK_POS_TYPEA]"), store);
    QMap<int, QList<int>> byType;
    for (int r = 0; r < a.rows.size(); ++r)
        byType[cell(a, r, QStringLiteral("gbtype")).toInt()] << cell(a, r, QStringLiteral("GKSEQ1")).toInt();
    EXPECT_EQ(byType.keys(), QList<int>({0, 1, 2}));
    for (const QList<int> &p : byType)
        EXPECT_TRUE(isOneToN(p));

    const wire::Answer b = call(QStringLiteral("[GP_SELECT_F0061_STOCK_POS_TYPEB]"), store);
    QMap<QString, QList<int>> byGroup;
    for (int r = 0; r < b.rows.size(); ++r)
        byGroup[cell(b, r, QStringLiteral("mbtype")).toString() + cell(b, r, QStringLiteral("MKGKID")).toString()]
            << cell(b, r, QStringLiteral("MKSEQ1")).toInt();
    EXPECT_EQ(byGroup.size(), 7);
    for (const QList<int> &p : byGroup)
        EXPECT_TRUE(isOneToN(p));

    // Every answer (all items, a search) numbers each pad's set 1..n.
    for (const QString &name : {QString(), QStringLiteral("케이크"), QStringLiteral("우유")}) {
        SCOPED_TRACE(name.toStdString());
        const wire::Answer items = call(QStringLiteral("[GP_SELECT_F0200_STOCK_POS_ITEMS]"),
                                        {{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QStringLiteral("9999")},
                                         {"A_NAME", name}});
        ASSERT_FALSE(items.rows.isEmpty());
        QMap<QString, QList<int>> seq2, seq;
        QList<int> all, firstThreeTypes;
        for (int r = 0; r < items.rows.size(); ++r) {
            const QString type = cell(items, r, QStringLiteral("IMITTY")).toString();
            const int p9 = cell(items, r, QStringLiteral("IMSEQ9")).toInt();
            all << p9;
            if (type <= QStringLiteral("3"))
                firstThreeTypes << p9;
            if (type == u"1" || type == u"2")
                seq2[cell(items, r, QStringLiteral("IMPGKI")).toString() + cell(items, r, QStringLiteral("IMPMKI")).toString()]
                    << cell(items, r, QStringLiteral("IMSEQ2")).toInt();
            if (type == u"3" || type == u"5" || type == u"6")
                seq[(type == u"3" ? QStringLiteral("S") : QStringLiteral("M"))
                    + cell(items, r, QStringLiteral("IMSDKI")).toString() + cell(items, r, QStringLiteral("IMSJKI")).toString()]
                    << cell(items, r, QStringLiteral("IMSEQ")).toInt();
        }
        EXPECT_TRUE(isOneToN(all));
        EXPECT_TRUE(isOneToN(firstThreeTypes));
        for (const QList<int> &p : seq2)
            EXPECT_TRUE(isOneToN(p));
        for (const QList<int> &p : seq)
            EXPECT_TRUE(isOneToN(p));
    }
}

TEST_F(Procedures, ConfigurationRowRoundTripsAndKeepsWhatWasNotSent)
{
    const QString cleared(QChar(0));
    const QString layerTitle = QStringLiteral("1층|2층|") + cleared + QStringLiteral("|") + cleared;
    {
        auto lease = server().store().acquire();
        lease.db().exec("UPDATE F0000 SET pointcut = 7 WHERE SCCMCD = '9999' AND SCBUUT = '9999' AND SCPOID = '99'");
    }
    const wire::Answer saved = call(
        QStringLiteral("[GP_UPSERT_F0000_POS_CONFIG]"),
        {{"@A_COMPANYCODE", QStringLiteral("9999")}, {"@A_STORECODE", QStringLiteral("9999")},
         {"@A_POSNO", QStringLiteral("99")}, {"@A_LayerTitle", layerTitle}, {"@A_SubTop", 12},
         {"@A_PtStore", 300}, {"@A_VatRatio", 7.5}, {"@A_DisPrice", false}, {"@A_PrBarcode", 0},
         {"@A_scystm", QStringLiteral("0930")}, {"@A_PosMode", QStringLiteral("2")}, {"@A_SCWORK", QStringLiteral("90000001")},
         {"@A_PrMessage4", QString()}, {"@A_BOGUS", QStringLiteral("ignored")}});
    ASSERT_FALSE(saved.isError()) << saved.error.toStdString();

    const wire::Answer a = call(QStringLiteral("[GP_SELECT_F0000_POS_CONFIG]"),
                                {{"@A_COMPANYCODE", QStringLiteral("9999")}, {"@A_STORECODE", QStringLiteral("9999")},
                                 {"@A_POSNO", QStringLiteral("99")}});
    ASSERT_EQ(a.rows.size(), 1);
    EXPECT_EQ(cell(a, 0, QStringLiteral("CompanyName")).toString(), QStringLiteral("데모베이커리"));
    EXPECT_EQ(cell(a, 0, QStringLiteral("StoreName")).toString(), QStringLiteral("데모지점"));
    EXPECT_EQ(cell(a, 0, QStringLiteral("LayerTitle")).toString(), layerTitle);
    EXPECT_EQ(cell(a, 0, QStringLiteral("SubTop")), QVariant(qint64(12)));
    EXPECT_EQ(cell(a, 0, QStringLiteral("PTStore")), QVariant(qint64(300)));
    EXPECT_EQ(cell(a, 0, QStringLiteral("VatRatio")), QVariant(7.5));
    EXPECT_EQ(cell(a, 0, QStringLiteral("DisPrice")), QVariant(false));
    EXPECT_EQ(cell(a, 0, QStringLiteral("PrBarCode")), QVariant(false));
    EXPECT_EQ(cell(a, 0, QStringLiteral("PosMode")).toString(), QStringLiteral("2"));
    EXPECT_EQ(cell(a, 0, QStringLiteral("PrMessage4")).toString(), QString());
    EXPECT_EQ(cell(a, 0, QStringLiteral("pointcut")), QVariant(qint64(7)));  // not sent, kept
    EXPECT_EQ(cell(a, 0, QStringLiteral("UseCustSection")), QVariant(true)); // not sent, kept
    const QDateTime scystm = cell(a, 0, QStringLiteral("scystm")).toDateTime();
    EXPECT_EQ(scystm, QDateTime(QDate(1899, 12, 30), QTime(9, 30)));
    EXPECT_EQ(a.columns[col(a, QStringLiteral("scystm"))].type, wire::Type::DateTime);
    // The seeded cleared list elements travel too.
    EXPECT_EQ(cell(a, 0, QStringLiteral("VANName")).toString(), QStringLiteral("KISVAN|") + cleared);

    // A terminal without a row of its own and without a store row "00": no row.
    EXPECT_TRUE(call(QStringLiteral("[GP_SELECT_F0000_POS_CONFIG]"),
                     {{"@A_COMPANYCODE", QStringLiteral("9999")}, {"@A_STORECODE", QStringLiteral("9999")},
                      {"@A_POSNO", QStringLiteral("55")}})
                    .rows.isEmpty());
    // A bad time of day is refused, not stored.
    EXPECT_TRUE(call(QStringLiteral("[GP_UPSERT_F0000_POS_CONFIG]"),
                     {{"@A_COMPANYCODE", QStringLiteral("9999")}, {"@A_STORECODE", QStringLiteral("9999")},
                      {"@A_POSNO", QStringLiteral("99")}, {"@A_scystm", QStringLiteral("2599")}})
                    .isError());
}

TEST_F(Procedures, PrinterKindDefaultsToReceiptPrinterAndOrderBlocks)
{
    const wire::Answer a = call(QStringLiteral("[GP_SELECT_F0003_ProductPOSConfig]"),
                                {{"@pccmcd", QStringLiteral("9999")}, {"@pcbuut", QStringLiteral("9999")},
                                 {"@pcpoid", QStringLiteral("77")}});
    ASSERT_EQ(a.rows.size(), 1);
    EXPECT_EQ(cell(a, 0, QStringLiteral("pcprst")).toString(), QStringLiteral("1"));
    EXPECT_TRUE(call(QStringLiteral("[GP_INSERT_F0003_ProductPOSConfig]"),
                     {{"@pccmcd", QStringLiteral("9999")}, {"@pcbuut", QStringLiteral("9999")},
                      {"@pcpoid", QStringLiteral("77")}, {"@pcprst", QStringLiteral("9")}})
                    .isError());

    const auto block = [](const char *partner) {
        return column(call(QStringLiteral("[GP_SELECT_F3230_CHECKBUUT_BALJU_CHULGO]"),
                           {{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QStringLiteral("9999")},
                            {"A_ADNB", QString::fromLatin1(partner)}}),
                      QStringLiteral("ULporderyn"));
    };
    EXPECT_EQ(block("30000009"), QStringList{QStringLiteral("1")});
    EXPECT_TRUE(block("30000001").isEmpty());
    EXPECT_TRUE(block("99999999").isEmpty());
    EXPECT_TRUE(block("").isEmpty());
}

TEST_F(Procedures, NumbersAreConsecutiveAndConcurrentDrawsNeverMeet)
{
    const auto draw = [](int kind, const QString &month, const char *store = "9999") {
        return call(QStringLiteral("[GP_SELECT_MAXNUMBER]"),
                    {{"A_GUBUN", kind}, {"a_cmcd", QStringLiteral("9999")}, {"A_BUUT", QString::fromLatin1(store)},
                     {"@a_month", month}, {"a_numb", QVariant()}});
    };
    EXPECT_EQ(cell(draw(10, QStringLiteral("202401")), 0, QStringLiteral("numb")).toInt(), 1);
    EXPECT_EQ(cell(draw(10, QStringLiteral("202401")), 0, QStringLiteral("numb")).toInt(), 2);
    EXPECT_EQ(cell(draw(11, QStringLiteral("202401")), 0, QStringLiteral("numb")).toInt(), 1); // kinds apart
    EXPECT_EQ(cell(draw(10, QStringLiteral("202402")), 0, QStringLiteral("numb")).toInt(), 1); // months apart
    EXPECT_EQ(cell(draw(10, QStringLiteral("202401"), "0001"), 0, QStringLiteral("numb")).toInt(), 1);

    for (int kind : {0, 9, 16, -1})
        EXPECT_TRUE(draw(kind, QStringLiteral("202401")).isError()) << kind;
    for (const char *month : {"", "2024", "202413", "202400", "2024-1", "abcdef"})
        EXPECT_TRUE(draw(13, QString::fromLatin1(month)).isError()) << month;

    // Eight terminals drawing at once.
    constexpr int kThreads = 8, kDraws = 25;
    QList<int> got[kThreads];
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < kDraws; ++i) {
                const wire::Answer a = draw(15, QStringLiteral("202403"));
                got[t] << (a.isError() ? -1 : cell(a, 0, QStringLiteral("numb")).toInt());
            }
        });
    for (auto &t : threads)
        t.join();
    QList<int> all;
    for (const auto &g : got)
        all += g;
    std::sort(all.begin(), all.end());
    QList<int> expected;
    for (int i = 1; i <= kThreads * kDraws; ++i)
        expected << i;
    EXPECT_EQ(all, expected);
}
