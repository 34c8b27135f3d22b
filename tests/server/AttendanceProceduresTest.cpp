// Attendance procedures: registrations with their refusal codes, pairing of
// the details, corrections, deletions and holidays. Each test works on days
// of its own far from the demo data, so the suite's shared store serves all.

#include "ServerTestUtil.h"

#include <QDate>

using namespace servertest;

namespace {

const QString kCmcd = QStringLiteral("9999");
const QString kStore = QStringLiteral("9999");

class Attendance : public ServerSuite {
protected:
    static int attention(const QString &adnb, const QString &day, const char *kind)
    {
        const wire::Answer a = call(QStringLiteral("[GP_INSERT_F0150_USER_ATTENTION]"),
                                    {{"@CMCD", kCmcd}, {"@BUUT", kStore}, {"@ADNB", adnb}, {"@DATE", day},
                                     {"@KUNT", QString::fromLatin1(kind)}, {"@WORK", adnb},
                                     {"@PGID", QStringLiteral("F638_AttendModify")}});
        EXPECT_FALSE(a.isError()) << a.error.toStdString();
        return a.rows.isEmpty() ? -1 : cell(a, 0, QStringLiteral("RESULT")).toInt();
    }
    static wire::Answer addAt(const QString &adnb, const QString &unit, const QString &day, const QString &time,
                              const char *kind)
    {
        return call(QStringLiteral("[GP_INSERT_F0150_DiligenceDetailsEdit]"),
                    {{"@COMPCODE", kCmcd}, {"@BUUT", unit}, {"@DATE", day}, {"@ABNB", adnb},
                     {"@time", QStringLiteral("%1-%2-%3 %4").arg(day.left(4), day.mid(4, 2), day.mid(6, 2), time)},
                     {"@k00", QString::fromLatin1(kind)}, {"@WORK", QStringLiteral("90000001")},
                     {"@PGID", QStringLiteral("F637_DiligenceDetailsEdit")}});
    }
    static wire::Answer details(const QString &adnb, const QString &from, const QString &to)
    {
        return call(QStringLiteral("[GP_SELECT_F0150_DiligenceDetails_POS]"),
                    {{"a_cmcd", kCmcd}, {"a_date1", from}, {"a_date2", to}, {"a_adnb", adnb}});
    }
    static wire::Answer holiday(const QString &adnb, const QString &day)
    {
        return call(QStringLiteral("[GP_INSERT_F0150_POS_ATTENDMODIFY]"),
                    {{"COMPCODE", kCmcd}, {"STORECODE", kStore}, {"EIDATE", day}, {"Edit3", adnb},
                     {"EIKUNT", QStringLiteral("009")}, {"WORK", QStringLiteral("90000001")},
                     {"PGID", QStringLiteral("F680_Vacamng")}, {"EISEQ", QVariant()}, {"EITIME", QVariant()}});
    }
    static int eventCount(const QString &where)
    {
        auto lease = server().store().acquire();
        return lease.db().execAndGet(("SELECT COUNT(*) FROM F0150 WHERE " + where).toStdString()).getInt();
    }
};

} // namespace

TEST_F(Attendance, RegistrationsStoreOnceAndRefuseWithTheirCodes)
{
    // kind, first answer, answer when repeated
    struct Case {
        const char *kind;
        int first, again;
    };
    const Case cases[] = {{"001", 1, 111}, {"002", 1, 333}, {"006", 1, 3}, {"012", 1, 3},
                          {"013", 1, 3},   {"010", 1, 3},   {"005", 1, 3}, {"003", 1, 3}};
    int day = 1;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.kind);
        const QString d = QStringLiteral("203001%1").arg(day++, 2, 10, QLatin1Char('0'));
        EXPECT_EQ(attention(QStringLiteral("90000003"), d, c.kind), c.first);
        EXPECT_EQ(attention(QStringLiteral("90000003"), d, c.kind), c.again);
        EXPECT_EQ(eventCount(QStringLiteral("EIDATE = '%1' AND EIADNB = '90000003'").arg(d)), 1);
    }

    // Return: nothing to return from (5), an open break (1), already returned (3);
    // a new break after the return may be taken and returned from again.
    const QString d = QStringLiteral("20300201");
    const QString who = QStringLiteral("90000003");
    EXPECT_EQ(attention(who, d, "011"), 5);
    EXPECT_EQ(attention(who, d, "010"), 1);
    EXPECT_EQ(attention(who, d, "011"), 1);
    EXPECT_EQ(attention(who, d, "011"), 3);
    EXPECT_EQ(attention(who, d, "010"), 1);

    // Absence after a clock-out: 9.
    const QString d2 = QStringLiteral("20300202");
    EXPECT_EQ(attention(who, d2, "001"), 1);
    EXPECT_EQ(attention(who, d2, "002"), 1);
    EXPECT_EQ(attention(who, d2, "003"), 9);

    // The event is stored for the day sent, with the next sequence of its unit and day.
    auto lease = server().store().acquire();
    SQLite::Statement st(lease.db(), "SELECT EISEQ, EIKUNT, EIBUUT, EIPGID FROM F0150 WHERE EIDATE = '20300202'"
                                     " ORDER BY EISEQ");
    QStringList rows;
    while (st.executeStep())
        rows << QStringLiteral("%1 %2 %3 %4").arg(st.getColumn(0).getInt()).arg(st.getColumn(1).getText(),
                                                                                st.getColumn(2).getText(),
                                                                                st.getColumn(3).getText());
    EXPECT_EQ(rows, QStringList({QStringLiteral("1 001 9999 F638_AttendModify"),
                                 QStringLiteral("2 002 9999 F638_AttendModify")}));
}

TEST_F(Attendance, EveryWriteRefusesAnEmptyEmployeeUnitOrDayAndAnInvalidDay)
{
    const QString who = QStringLiteral("90000003");
    struct Case {
        const char *what;
        wire::Answer answer;
    };
    const Case cases[] = {
        {"attention without employee",
         call(QStringLiteral("GP_INSERT_F0150_USER_ATTENTION"),
              {{"@CMCD", kCmcd}, {"@BUUT", kStore}, {"@ADNB", QString()}, {"@DATE", QStringLiteral("20300301")},
               {"@KUNT", QStringLiteral("001")}})},
        {"attention without day",
         call(QStringLiteral("GP_INSERT_F0150_USER_ATTENTION"),
              {{"@CMCD", kCmcd}, {"@BUUT", kStore}, {"@ADNB", who}, {"@DATE", QString()}, {"@KUNT", QStringLiteral("001")}})},
        {"attention of an unknown kind",
         call(QStringLiteral("GP_INSERT_F0150_USER_ATTENTION"),
              {{"@CMCD", kCmcd}, {"@BUUT", kStore}, {"@ADNB", who}, {"@DATE", QStringLiteral("20300301")},
               {"@KUNT", QStringLiteral("099")}})},
        {"details without employee", addAt(QString(), kStore, QStringLiteral("20300301"), QStringLiteral("09:00:00"), "001")},
        {"details without unit", addAt(who, QString(), QStringLiteral("20300301"), QStringLiteral("09:00:00"), "001")},
        {"details at a bad time", addAt(who, kStore, QStringLiteral("20300301"), QStringLiteral("25:00:00"), "001")},
        {"holiday without employee", holiday(QString(), QStringLiteral("20300301"))},
        {"holiday on the 32nd", holiday(who, QStringLiteral("20300132"))},
        {"holiday on no day", holiday(who, QString())},
        {"update without unit",
         call(QStringLiteral("GP_UPDATE_F0150_DiligenceDetails"),
              {{"COMPCODE", kCmcd}, {"STORECODE", kStore}, {"EEDATE", QStringLiteral("20300301")},
               {"EDATE", QStringLiteral("20300301")}, {"ETIME", QDateTime(QDate(2030, 3, 1), QTime(9, 0))},
               {"EKUNT", QStringLiteral("001")}, {"BUUT", QString()}, {"ESEQ", 1}})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(c.answer.isError());
    }
    EXPECT_EQ(eventCount(QStringLiteral("EIDATE LIKE '203003%' OR EIDATE = '20300132' OR EIADNB = ''")), 0);
}

TEST_F(Attendance, DetailsPairStartsWithTheirEnds)
{
    const QString who = QStringLiteral("90000004");
    const QString d = QStringLiteral("20300401");
    // Out of time order on purpose: pairs follow the times, not the insertion.
    ASSERT_FALSE(addAt(who, kStore, d, QStringLiteral("18:00:00"), "002").isError());
    ASSERT_FALSE(addAt(who, kStore, d, QStringLiteral("09:00:00"), "001").isError());
    ASSERT_FALSE(addAt(who, QStringLiteral("0001"), d, QStringLiteral("13:00:00"), "010").isError());
    ASSERT_FALSE(addAt(who, kStore, d, QStringLiteral("13:40:00"), "011").isError());
    ASSERT_FALSE(addAt(who, kStore, d, QStringLiteral("15:00:00"), "006").isError()); // not returned
    ASSERT_FALSE(addAt(who, kStore, QStringLiteral("20300402"), QStringLiteral("10:00:00"), "011").isError()); // end alone
    ASSERT_FALSE(addAt(who, kStore, QStringLiteral("20300403"), QStringLiteral("09:00:00"), "003").isError());

    const wire::Answer a = details(who, d, QStringLiteral("20300403"));
    ASSERT_FALSE(a.isError()) << a.error.toStdString();
    QStringList rows;
    for (int r = 0; r < a.rows.size(); ++r)
        rows << QStringList({cell(a, r, QStringLiteral("sdate")).toString(), cell(a, r, QStringLiteral("stime")).toString(),
                             cell(a, r, QStringLiteral("stkunt_name")).toString(),
                             cell(a, r, QStringLiteral("stbuut_name")).toString(),
                             cell(a, r, QStringLiteral("edate")).toString(), cell(a, r, QStringLiteral("etime")).toString(),
                             cell(a, r, QStringLiteral("edkunt")).toString(), cell(a, r, QStringLiteral("edseq")).toString()})
                    .join(QLatin1Char('|'));
    EXPECT_EQ(rows, QStringList({
                        QStringLiteral("2030-04-01|09:00:00|출근|데모지점|2030-04-01|18:00:00|002|1"),
                        QStringLiteral("2030-04-01|13:00:00|휴게|생산센터|2030-04-01|13:40:00|011|3"),
                        QStringLiteral("2030-04-01|15:00:00|외출|데모지점||||"),
                        QStringLiteral("2030-04-02|10:00:00|복귀|데모지점||||"),
                        QStringLiteral("2030-04-03|09:00:00|결근|데모지점||||"),
                    }));
    EXPECT_EQ(cell(a, 0, QStringLiteral("sttime")).toDateTime(), QDateTime(QDate(2030, 4, 1), QTime(9, 0)));
    EXPECT_EQ(cell(a, 0, QStringLiteral("edtime")).toString(), QStringLiteral("2030-04-01 18:00:00"));
    EXPECT_TRUE(details(QString(), d, d).rows.isEmpty());
}

TEST_F(Attendance, CorrectionMovesOneEventAndDeletionRemovesItsPair)
{
    const QString who = QStringLiteral("90000004");
    const QString d = QStringLiteral("20300501");
    addAt(who, kStore, d, QStringLiteral("09:00:00"), "001");
    addAt(who, kStore, d, QStringLiteral("18:00:00"), "002");
    addAt(who, kStore, d, QStringLiteral("10:00:00"), "006");

    // The clock-out moves to the next day and another unit: new key, next sequence there.
    auto update = [&](const QString &oldDay, qint64 seq, const char *kind) {
        return call(QStringLiteral("[GP_UPDATE_F0150_DiligenceDetails]"),
                    {{"COMPCODE", kCmcd}, {"STORECODE", kStore}, {"EEDATE", oldDay}, {"EDATE", QStringLiteral("20300502")},
                     {"ETIME", QDateTime(QDate(2030, 5, 2), QTime(1, 30, 15))}, {"EKUNT", QString::fromLatin1(kind)},
                     {"BUUT", QStringLiteral("0001")}, {"ESEQ", seq}, {"WORK", who}, {"PGID", QStringLiteral("F637_DiligenceDetailsEdit")}});
    };
    wire::Answer a = update(d, 2, "002");
    ASSERT_FALSE(a.isError()) << a.error.toStdString();
    EXPECT_EQ(eventCount(QStringLiteral("EIDATE = '20300502' AND EIBUUT = '0001' AND EISEQ = 1 AND EIKUNT = '002'"
                                        " AND EITIME = '2030-05-02 01:30:15'")),
              1);
    EXPECT_EQ(eventCount(QStringLiteral("EIDATE = '20300501'")), 2);
    // Not found (already moved), or the kind does not match: refused.
    EXPECT_TRUE(update(d, 2, "002").isError());
    EXPECT_TRUE(update(d, 1, "002").isError());

    // OPTION 1 deletes only the start; OPTION 0 the start and its end.
    auto del = [&](qint64 stseq, const QString &eddate, const QString &edbuut, const QVariant &edseq, int option) {
        return call(QStringLiteral("[GP_DELETE_F0150_DiligenceDetails]"),
                    {{"cmcd", kCmcd}, {"stbuut", kStore}, {"stdate", d}, {"stseq", stseq}, {"sttime", QVariant()},
                     {"stkunt", QString()}, {"edbuut", edbuut}, {"eddate", eddate}, {"edseq", edseq},
                     {"edtime", QString()}, {"edkunt", QString()}, {"OPTION", option}});
    };
    ASSERT_FALSE(del(3, QString(), QString(), QString(), 1).isError());
    EXPECT_EQ(eventCount(QStringLiteral("EIDATE IN ('20300501', '20300502')")), 2);
    ASSERT_FALSE(del(1, QStringLiteral("20300502"), QStringLiteral("0001"), QStringLiteral("1"), 0).isError());
    EXPECT_EQ(eventCount(QStringLiteral("EIDATE IN ('20300501', '20300502')")), 0);
    EXPECT_TRUE(del(1, QString(), QString(), QString(), 1).isError()); // nothing left to delete
}

TEST_F(Attendance, HolidaysAreRegisteredOncePerDayAndCancelledByUnitAndDay)
{
    const QString who = QStringLiteral("90000003");
    ASSERT_FALSE(holiday(who, QStringLiteral("20300604")).isError());
    const wire::Answer dup = holiday(who, QStringLiteral("20300604"));
    EXPECT_TRUE(dup.isError());
    EXPECT_EQ(eventCount(QStringLiteral("EIDATE = '20300604' AND EIKUNT = '009' AND EITIME = '2030-06-04 00:00:00'")), 1);
    ASSERT_FALSE(holiday(QStringLiteral("90000002"), QStringLiteral("20300604")).isError()); // another employee

    const wire::Answer list = call(QStringLiteral("[GP_SELECT_F0150_Vacamng_Humuil]"),
                                   {{"COMPCODE", kCmcd}, {"STORECODE", kStore}, {"STDATE", QStringLiteral("20300601")},
                                    {"ENDATE", QStringLiteral("20300630")}, {"a_adnb", who}});
    EXPECT_EQ(column(list, QStringLiteral("ddate")), QStringList({QStringLiteral("2030-06-04")}));
    EXPECT_EQ(column(list, QStringLiteral("date")), QStringList({QStringLiteral("20300604")}));
    EXPECT_EQ(column(list, QStringLiteral("ebuut")), QStringList({kStore}));

    ASSERT_FALSE(call(QStringLiteral("[GP_DELETE_F0150_VacamngDelte]"),
                      {{"COMPCODE", kCmcd}, {"STORECODE", kStore}, {"date", QStringLiteral("20300604")}, {"adnb", who},
                       {"KUNT", QStringLiteral("009")}, {"TYPE", QStringLiteral("0")}})
                     .isError());
    EXPECT_EQ(eventCount(QStringLiteral("EIDATE = '20300604' AND EIADNB = '%1'").arg(who)), 0);
    EXPECT_EQ(eventCount(QStringLiteral("EIDATE = '20300604' AND EIADNB = '90000002'")), 1);
}

TEST_F(Attendance, EmployeeListShowsTenDaysOfTheStoreStaff)
{
    const QString who = QStringLiteral("90000002");
    addAt(who, kStore, QStringLiteral("20300701"), QStringLiteral("09:05:00"), "001");
    addAt(who, kStore, QStringLiteral("20300701"), QStringLiteral("18:10:00"), "002");
    addAt(who, kStore, QStringLiteral("20300703"), QStringLiteral("09:00:00"), "001");
    holiday(who, QStringLiteral("20300710"));
    addAt(who, kStore, QStringLiteral("20300711"), QStringLiteral("09:00:00"), "001"); // beyond the ten days

    const wire::Answer a = call(QStringLiteral("[GP_SELECT_F0150_EMPLOYEEINQUIRY_POS]"),
                                {{"a_cmcd", kCmcd}, {"a_buut", kStore}, {"a_stdt", QStringLiteral("20300701")},
                                 {"a_eddt", QStringLiteral("20300710")}});
    ASSERT_FALSE(a.isError()) << a.error.toStdString();
    // Store 9999's staff by grade, then number; 정센터 of unit 0001 is not listed.
    EXPECT_EQ(column(a, QStringLiteral("abadnb")),
              QStringList({QStringLiteral("90000001"), QStringLiteral("90000002"), QStringLiteral("90000004"),
                           QStringLiteral("90000003")}));
    EXPECT_EQ(cell(a, 1, QStringLiteral("abname")).toString(), QStringLiteral("이직원"));
    EXPECT_EQ(cell(a, 1, QStringLiteral("abjikj_name")).toString(), QStringLiteral("판매"));
    QStringList days;
    for (int k = 1; k <= 10; ++k)
        days << cell(a, 1, QStringLiteral("m%1").arg(k)).toString();
    EXPECT_EQ(days, QStringList({QStringLiteral("09:05~18:10"), QString(), QStringLiteral("09:00~"), QString(), QString(),
                                 QString(), QString(), QString(), QString(), QStringLiteral("휴무")}));
}
