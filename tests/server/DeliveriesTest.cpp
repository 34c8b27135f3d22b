// Delivery bookings and the lines of their sales over the demo data.

#include "ServerTestUtil.h"

#include <QDate>

using namespace servertest;

namespace {

class Deliveries : public ServerSuite {
protected:
    static wire::Answer search(const QString &text, const QString &store = QStringLiteral("9999"))
    {
        return call(QStringLiteral("GP_SELECT_F4104_SuppOrder_JumunSearch"),
                    {{"COMPCODE", QStringLiteral("9999")}, {"STORECODE", store}, {"edt_Deliveredsearch", text}},
                    QStringLiteral("dspStoredProc3"));
    }
    static wire::Answer lines(const wire::Answer &orders, int row)
    {
        return call(QStringLiteral("GP_SELECT_F4101_SuppOrder_DetailSearch"),
                    {{"COMPCODE", QStringLiteral("9999")}, {"STORECODE", cell(orders, row, "SHBUUT")},
                     {"Edit2", cell(orders, row, "SHNUMB").toLongLong()}, {"PosID", cell(orders, row, "SHPOID")},
                     {"DATE", cell(orders, row, "SHDATE")}},
                    QStringLiteral("dspStoredProc5"));
    }
};

} // namespace

TEST_F(Deliveries, SearchMatchesOrdererReceiverPhoneOrMemoLiterally)
{
    struct Case {
        const char *text;
        QStringList orderers;
    };
    const Case cases[] = {
        {"홍", {"홍길동"}},
        {"이철수", {"김영희"}},       // the receiver
        {"98765", {"김영희"}},        // part of the phone
        {"배달", {"김영희"}},         // the memo
        {"010", {"홍길동", "김영희"}},  // both phones, by delivery date
        {"%", {}},                     // no wildcards
        {"_", {}},
        {"박", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const wire::Answer a = search(QString::fromUtf8(c.text));
        ASSERT_FALSE(a.isError()) << a.error.toStdString();
        EXPECT_EQ(column(a, QStringLiteral("OBJUPE")), c.orderers);
    }
    // Another store's search finds none of these bookings.
    EXPECT_TRUE(search(QStringLiteral("홍"), QStringLiteral("0001")).rows.isEmpty());
}

TEST_F(Deliveries, BookingRowCarriesItsSaleAndTheSaleItsLines)
{
    const wire::Answer a = search(QStringLiteral("홍"));
    ASSERT_EQ(a.rows.size(), 1);
    EXPECT_EQ(a.columns.size(), 12);
    const QDate today = QDate::currentDate();
    EXPECT_EQ(cell(a, 0, "OBJBDT").toString(), today.toString(Qt::ISODate));
    EXPECT_EQ(cell(a, 0, "OBYEDT").toString(), today.addDays(1).toString(Qt::ISODate));
    EXPECT_EQ(cell(a, 0, "SHAMT").toLongLong(), 25000);
    EXPECT_EQ(cell(a, 0, "SHBUUT").toString(), QStringLiteral("9999"));
    EXPECT_EQ(cell(a, 0, "SHPOID").toString(), QStringLiteral("99"));
    EXPECT_EQ(cell(a, 0, "SHDATE").toString(), today.toString(QStringLiteral("yyyyMMdd")));
    EXPECT_EQ(cell(a, 0, "OBRPER").toString(), QStringLiteral("홍길동"));
    EXPECT_EQ(cell(a, 0, "OBJUMB").toString(), QStringLiteral("01012345678"));
    EXPECT_EQ(cell(a, 0, "OBNUMB").toLongLong(), 1);

    const wire::Answer one = lines(a, 0);
    ASSERT_FALSE(one.isError()) << one.error.toStdString();
    EXPECT_EQ(column(one, QStringLiteral("IMNAME")), QStringList{QStringLiteral("생크림케이크")});
    EXPECT_EQ(cell(one, 0, "SDQTY").toDouble(), 1.0);
    EXPECT_EQ(cell(one, 0, "SDAMT").toLongLong(), 25000);

    const wire::Answer b = search(QStringLiteral("김영희"));
    ASSERT_EQ(b.rows.size(), 1);
    EXPECT_EQ(cell(b, 0, "SHAMT").toLongLong(), 29400);
    const wire::Answer two = lines(b, 0);
    EXPECT_EQ(column(two, QStringLiteral("IMNAME")), (QStringList{QStringLiteral("고구마케이크"), QStringLiteral("흰우유200ml")}));
    EXPECT_EQ(column(two, QStringLiteral("SDQTY")), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));

    // A sale that does not exist has no lines, and the answer keeps its columns.
    wire::Answer none = a;
    none.rows[0][col(a, "SHNUMB")] = qint64(77);
    const wire::Answer empty = lines(none, 0);
    EXPECT_TRUE(empty.rows.isEmpty());
    EXPECT_EQ(empty.columns.size(), 3);
}

TEST_F(Deliveries, EmptyTextListsBookingsDueTodayOrLater)
{
    exec("INSERT INTO F4104 (OBCMCD, OBBUUT, OBNUMB, OBJUPE, OBYEDT) VALUES"
         " ('9999', '9999', 90, '어제손님', date('now', 'localtime', '-1 day')),"
         " ('9999', '9999', 91, '오늘손님', date('now', 'localtime'))");
    const wire::Answer a = search(QString());
    exec("DELETE FROM F4104 WHERE OBNUMB IN (90, 91)");
    ASSERT_FALSE(a.isError()) << a.error.toStdString();
    EXPECT_EQ(column(a, QStringLiteral("OBJUPE")),
              (QStringList{QStringLiteral("오늘손님"), QStringLiteral("홍길동"), QStringLiteral("김영희")}));
    // A booking without its sale is listed with no amount.
    EXPECT_EQ(cell(a, 0, "SHAMT").toLongLong(), 0);
    // Blanks alone are no search text.
    EXPECT_EQ(search(QStringLiteral("  ")).rows.size(), 2);
}
