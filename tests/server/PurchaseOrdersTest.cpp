// Orders placed by a store over the demo data: the picker's day list, the
// lines with their receipt state, the headers for print and receipt, and the
// deletion of an order with its hand-over.

#include "ServerTestUtil.h"

#include <SQLiteCpp/Database.h>

using namespace servertest;

namespace {

class PurchaseOrders : public ServerSuite {
protected:
    static std::string sql(const char *expr)
    {
        auto lease = server().store().acquire();
        return lease.db().execAndGet(expr).getString();
    }
    static QString day(const char *modifier)
    {
        return QString::fromStdString(
            sql((std::string("SELECT strftime('%Y%m%d', 'now', 'localtime'") + modifier + ")").c_str()));
    }
    static wire::Answer dayOrders(const QString &date)
    {
        return call(QStringLiteral("[GP_SELECT_F2100_RegOrderpatSearch]"),
                    {{"COMPCODE", QStringLiteral("9999")}, {"STORECODE", QStringLiteral("9999")}, {"orderdate", date}},
                    QStringLiteral("dspStoredProc2"));
    }
    static wire::Answer lines(const QString &month, qint64 numb)
    {
        return call(QStringLiteral("[GP_SELECT_F2101_POPUPPURCHASE]"),
                    {{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QStringLiteral("9999")}, {"A_MONTH", month},
                     {"A_NUMB", numb}, {"a_gubun", QStringLiteral("1")}},
                    QStringLiteral("dspStoredProc3"));
    }
    static wire::Answer headers(Params params) { return call(QStringLiteral("[GP_SELECT_F2100_POPUPPURCHASE]"), params); }
    static wire::Answer remove(const QString &month, qint64 numb)
    {
        return call(QStringLiteral("[GP_DELETE_F2100_PURCHASEENTRY]"),
                    {{"PHCMCD", QStringLiteral("9999")}, {"PHBUUT", QStringLiteral("9999")}, {"PHMONTH", month},
                     {"PHNUMB", numb}, {"WORK", QStringLiteral("90000001")}, {"PGID", QStringLiteral("F652_RegOrder")}},
                    QStringLiteral("dspStoredProc11"));
    }
};

TEST_F(PurchaseOrders, DayListNamesPatternsAndSuppliersAndCallsTheGatheredOrderByItsOwnName)
{
    const wire::Answer a = dayOrders(day(""));
    ASSERT_FALSE(a.isError()) << a.error.toStdString();
    EXPECT_EQ(column(a, QStringLiteral("PHNUMB")), (QStringList{"3", "4", "5"}));
    EXPECT_EQ(column(a, QStringLiteral("AHNAME")), (QStringList{"음료 발주", "제품 기본발주", "복합패턴"}));
    EXPECT_EQ(column(a, QStringLiteral("absnam")), (QStringList{"데모음료", "생산센터", "데모포장"}));
    EXPECT_EQ(column(a, QStringLiteral("PHtxgu")), (QStringList{"2", "1", "2"}));
    EXPECT_EQ(column(a, QStringLiteral("PHADNUMB")), (QStringList{"2", "1", "999"}));
    EXPECT_EQ(cell(a, 0, QStringLiteral("phdate")).toDateTime().date(), QDate::fromString(day(""), u"yyyyMMdd"));
    EXPECT_EQ(cell(a, 0, QStringLiteral("PHMONTH")).toString(), day("").left(6));

    const wire::Answer none = dayOrders(QStringLiteral("19990101"));
    EXPECT_TRUE(none.rows.isEmpty());
    EXPECT_EQ(none.columns.size(), 8);
}

TEST_F(PurchaseOrders, LinesCarryItemsAmountsSlipTextsAndTheReceiptState)
{
    const QString month = day("").left(6);
    const wire::Answer a = lines(month, 3);
    ASSERT_FALSE(a.isError()) << a.error.toStdString();
    ASSERT_EQ(a.rows.size(), 1);
    EXPECT_EQ(cell(a, 0, QStringLiteral("IMNAME")).toString(), QStringLiteral("생수500ml"));
    EXPECT_EQ(cell(a, 0, QStringLiteral("PDUNIT")).toString(), QStringLiteral("BOX"));
    EXPECT_EQ(cell(a, 0, QStringLiteral("PDAMT")).toLongLong(), 16000);
    EXPECT_EQ(cell(a, 0, QStringLiteral("pdgamt")).toLongLong(), 16000);
    EXPECT_EQ(cell(a, 0, QStringLiteral("pdtax")).toLongLong(), 1600);
    EXPECT_EQ(cell(a, 0, QStringLiteral("imitty_name")).toString(), QStringLiteral("상품"));
    EXPECT_EQ(cell(a, 0, QStringLiteral("gubun")).toString(), QStringLiteral("발주"));
    EXPECT_EQ(cell(a, 0, QStringLiteral("suju_name")).toString(), QStringLiteral("데모음료"));
    EXPECT_EQ(cell(a, 0, QStringLiteral("balju_name")).toString(), QStringLiteral("데모지점"));
    EXPECT_EQ(cell(a, 0, QStringLiteral("balju_bunho")).toString(), month + QStringLiteral("-00003"));
    EXPECT_EQ(cell(a, 0, QStringLiteral("ibgo_bunho")).toString(), QString());

    // Order 3 is 2 BOX of 20 EA: 20 EA received is half, 40 EA complete; a
    // force-closed order with a remainder reads 강제완료.
    const std::string m = month.toStdString();
    exec("INSERT INTO F3100 (WHCMCD, WHBUUT, WHMONTH, WHNUMB, WHDATE) VALUES ('9999', '9999', '" + m + "', 801, '')");
    exec("INSERT INTO F3101 (WDCMCD, WDBUUT, WDMONTH, WDNUMB, WDSEQ, WDITNB, WDUNIT, WDQTY, WDMDAN, WDLDAN, WDMCAL,"
         " WDRFMONTH, WDRFNUMB, WDRFSEQ) VALUES ('9999', '9999', '" + m + "', 801, 1, '200001', 'EA', 20, 'BOX', 'EA', 20,"
         " '" + m + "', 3, 1)");
    const auto state = [&] {
        const wire::Answer h = headers({{"a_cmcd", QStringLiteral("9999")}, {"a_buut", QStringLiteral("9999")},
                                        {"a_month", month}, {"a_numb", 3}});
        return QStringList{cell(lines(month, 3), 0, QStringLiteral("gubun")).toString(),
                           cell(h, 0, QStringLiteral("PHedfl")).toString()};
    };
    EXPECT_EQ(state(), (QStringList{"부분입고", "부분입고"}));
    EXPECT_EQ(cell(lines(month, 3), 0, QStringLiteral("ibgo_bunho")).toString(), month + QStringLiteral("-00801"));
    exec("UPDATE F2100 SET PHEDFL = 1 WHERE PHCMCD = '9999' AND PHNUMB = 3 AND PHMONTH = '" + m + "'");
    EXPECT_EQ(state(), (QStringList{"강제완료", "입고완료"}));
    exec("UPDATE F2100 SET PHEDFL = 0 WHERE PHCMCD = '9999' AND PHNUMB = 3 AND PHMONTH = '" + m + "'");
    exec("UPDATE F3101 SET WDQTY = 2, WDUNIT = 'BOX' WHERE WDNUMB = 801");
    EXPECT_EQ(state(), (QStringList{"입고완료", "입고완료"}));
    exec("DELETE FROM F3100 WHERE WHNUMB = 801");
    EXPECT_EQ(state(), (QStringList{"발주", "발주"}));
}

TEST_F(PurchaseOrders, HeadersForPrintReceiptAndHistory)
{
    const QString month = day("").left(6);
    const wire::Answer one = headers({{"a_cmcd", QStringLiteral("9999")}, {"a_buut", QStringLiteral("9999")},
                                      {"a_name", QString()}, {"a_gubun1", QStringLiteral("1")},
                                      {"a_stdt", day("")}, {"a_eddt", day("")}, {"a_gubun2", QStringLiteral("1")},
                                      {"a_month", month}, {"a_numb", 3}});
    ASSERT_FALSE(one.isError()) << one.error.toStdString();
    ASSERT_EQ(one.rows.size(), 1);
    const struct {
        const char *column;
        QString value;
    } expected[] = {{"bunho", month + "-00003"},
                    {"PHADNB_name", QStringLiteral("(주)데모음료")},
                    {"PHtxguName", QStringLiteral("별도")},
                    {"sano", QStringLiteral("2345678901")},
                    {"buut_name", QStringLiteral("데모지점")},
                    {"addr", QStringLiteral("서울 데모구 데모동 99")},
                    {"bal_tel", QStringLiteral("02-999-9999")},
                    {"Phseme_name", QStringLiteral("월말정산")},
                    {"phbada", QStringLiteral("김관리")},
                    {"Phbigo", QStringLiteral("오전 납품 부탁드립니다")},
                    {"PHNYDT2", day(", '+1 day'").insert(4, '-').insert(7, '-')},
                    {"PHedfl", QStringLiteral("발주")}};
    for (const auto &e : expected)
        EXPECT_EQ(cell(one, 0, QString::fromLatin1(e.column)).toString(), e.value) << e.column;
    EXPECT_EQ(cell(one, 0, QStringLiteral("PHdate")).toDateTime().date(), QDate::fromString(day(""), u"yyyyMMdd"));

    // Open orders for the receipt screen, by delivery day, with a name filter; history by order day.
    const wire::Answer open = headers({{"a_cmcd", QStringLiteral("9999")}, {"a_buut", QStringLiteral("9999")},
                                       {"a_name", QString()}, {"a_gubun1", QStringLiteral("2")},
                                       {"a_stdt", QStringLiteral("00000000")}, {"a_eddt", QStringLiteral("99999999")},
                                       {"a_gubun2", QStringLiteral("2")}});
    EXPECT_EQ(open.rows.size(), 5); // order #1 was received in full
    const wire::Answer named = headers({{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QStringLiteral("9999")},
                                        {"a_name", QStringLiteral("제분")}, {"a_gubun1", QStringLiteral("1")},
                                        {"a_stdt", day(", '-7 day'")}, {"a_eddt", day("")},
                                        {"a_gubun2", QStringLiteral("1")}});
    EXPECT_EQ(column(named, QStringLiteral("PHNUMB")), QStringList{"2"});
    const wire::Answer today = headers({{"A_CMCD", QStringLiteral("9999")}, {"A_BUUT", QStringLiteral("9999")},
                                        {"a_name", QString()}, {"a_gubun1", QStringLiteral("1")}, {"a_stdt", day("")},
                                        {"a_eddt", day("")}, {"a_gubun2", QStringLiteral("1")}});
    EXPECT_EQ(column(today, QStringLiteral("PHNUMB")), (QStringList{"3", "4", "5"}));
}

TEST_F(PurchaseOrders, DeleteTakesTheHandOverAlongAndIsRefusedOnceGoodsMoved)
{
    // The previous month's order 90 with its hand-over at 0001.
    const QString prev = QString::fromStdString(sql("SELECT PHMONTH FROM F2100 WHERE PHCMCD = '9999' AND PHNUMB = 90"));
    const std::string p = prev.toStdString();
    ASSERT_EQ(scalar("SELECT COUNT(*) FROM F2400 WHERE OHBUUT = '0001' AND OHBANUMB = 90"), 1);
    const int audits = scalar("SELECT COUNT(*) FROM SYS_AUDIT");

    const wire::Answer ok = remove(prev, 90);
    ASSERT_FALSE(ok.isError()) << ok.error.toStdString();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2100 WHERE PHNUMB = 90"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2101 WHERE PDNUMB = 90"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2400 WHERE OHBUUT = '0001' AND OHBANUMB = 90"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2401 WHERE ODBUUT = '0001' AND ODNUMB = 3"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM SYS_AUDIT"), audits + 1);
    EXPECT_EQ(sql("SELECT AUKEY || '|' || AUWORK FROM SYS_AUDIT ORDER BY rowid DESC LIMIT 1"),
              "9999/9999/" + p + "-00090|90000001");
    EXPECT_TRUE(remove(prev, 90).isError()); // gone: no silent success

    // A receipt naming order 4, or a release against its hand-over, keeps everything.
    const std::string m = day("").left(6).toStdString();
    exec("INSERT INTO F3100 (WHCMCD, WHBUUT, WHMONTH, WHNUMB) VALUES ('9999', '9999', '" + m + "', 802);"
         "INSERT INTO F3101 (WDCMCD, WDBUUT, WDMONTH, WDNUMB, WDSEQ, WDITNB, WDQTY, WDBAMONTH, WDBANUMB, WDBASEQ)"
         " VALUES ('9999', '9999', '" + m + "', 802, 1, '100005', 1, '" + m + "', 4, 1)");
    const wire::Answer received = remove(day("").left(6), 4);
    EXPECT_EQ(received.error, QStringLiteral("입고된 발주는 삭제할 수 없습니다."));
    exec("DELETE FROM F3100 WHERE WHNUMB = 802");

    exec("INSERT INTO F3200 (DHCMCD, DHBUUT, DHMONTH, DHNUMB, DHCHTY) VALUES ('9999', '0001', '" + m + "', 802, '001');"
         "INSERT INTO F3201 (DDCMCD, DDBUUT, DDMONTH, DDNUMB, DDSEQ, DDITNB, DDQTY, DDRFMONTH, DDRFNUMB, DDRFSEQ)"
         " VALUES ('9999', '0001', '" + m + "', 802, 1, '100005', 1, '" + m + "', 2, 1)");
    const wire::Answer released = remove(day("").left(6), 4);
    EXPECT_EQ(released.error, QStringLiteral("출고된 수주가 있어 발주를 삭제할 수 없습니다."));
    exec("DELETE FROM F3200 WHERE DHNUMB = 802 AND DHBUUT = '0001'");

    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2100 WHERE PHNUMB = 4"), 1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2101 WHERE PDNUMB = 4"), 1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2400 WHERE OHBUUT = '0001' AND OHBANUMB = 4"), 1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM SYS_AUDIT"), audits + 1);
}

} // namespace
