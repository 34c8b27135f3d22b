// Who gets in, checked from outside by a client of the test's own (plain
// HTTP over loopback, not the terminal's channel): terminal keys, the store
// boundary, sessions, rights and workers, the pace of sign-ins, and the
// values a terminal may not write.

#include "ServerTestUtil.h"

#include "HqServer.h"
#include "platform/remote/RemoteConnection.h"
#include "support/RawClient.h"

#include <QCborStreamWriter>
#include <QElapsedTimer>

#include <limits>

using namespace servertest;

namespace {

const QString kMonth = QStringLiteral("203205");

struct Reply {
    int status = 0;
    wire::Answer answer;
};

std::string headersOf(const QString &key, const QString &session = QString())
{
    std::string h;
    if (!key.isEmpty())
        h += "Authorization: Bearer " + key.toStdString() + "\r\n";
    if (!session.isEmpty())
        h += std::string(hq::HqServer::kSessionHeader) + ": " + session.toStdString() + "\r\n";
    return h;
}

class Access : public ServerSuite {
protected:
    // One POST /BIN with the given header lines ("Name: value\r\n" each).
    static Reply post(const std::string &headers, const QByteArray &body, const char *type = "application/cbor")
    {
        RawClient client(server().port());
        client.send("POST /BIN HTTP/1.1\r\nHost: t\r\nConnection: close\r\n" + headers + "Content-Type: " + type
                    + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body.toStdString());
        const std::string got = client.read(std::chrono::seconds(60));
        Reply r;
        if (got.rfind("HTTP/1.1 ", 0) != 0)
            return r;
        r.status = std::stoi(got.substr(9, 3));
        const size_t head = got.find("\r\n\r\n");
        if (head != std::string::npos) {
            try {
                r.answer = wire::decodeAnswer(QByteArray::fromStdString(got.substr(head + 4)));
            } catch (const wire::DecodeError &e) {
                r.answer = wire::Answer::failure(QStringLiteral("undecodable answer: ") + QString::fromUtf8(e.what()));
            }
        }
        return r;
    }

    void TearDown() override
    {
        exec("DELETE FROM F2101 WHERE PDMONTH = '203205'; DELETE FROM F2100 WHERE PHMONTH = '203205';"
             "DELETE FROM F3201 WHERE DDMONTH = '203205'; DELETE FROM F3200 WHERE DHMONTH = '203205';"
             "DELETE FROM SYS_NUMBER WHERE NBMONTH = '203205'");
    }

    static QByteArray encoded(const QString &command, Params params)
    {
        return wire::encodeRequest(request(command, params));
    }

    // What the tables a refused call could touch hold.
    static std::string storeState()
    {
        auto lease = server().store().acquire();
        return lease.db()
            .execAndGet("SELECT (SELECT count(*) FROM F2100) || '/' || (SELECT count(*) FROM F2101) || '/'"
                        " || (SELECT count(*) FROM F3200) || '/' || (SELECT count(*) FROM F3201) || '/'"
                        " || (SELECT COALESCE(sum(NBLAST), 0) FROM SYS_NUMBER) || '/' || (SELECT count(*) FROM F3400)")
            .getString();
    }

    static QByteArray draw(int kind)
    {
        return encoded(QStringLiteral("GP_SELECT_MAXNUMBER"), {{"A_GUBUN", kind}, {"A_CMCD", QStringLiteral("9999")},
                                                               {"A_BUUT", QStringLiteral("9999")}, {"A_MONTH", kMonth}});
    }

    static QByteArray orderHeader(const QVariant &number, const QString &worker = QStringLiteral("90000001"),
                                  const QString &day = QStringLiteral("20320510"),
                                  const QString &year = QStringLiteral("2032"))
    {
        return encoded(QStringLiteral("[GP_INSERT_F2100_PURCHASEENTRY]"),
                       {{"A_GUBUN", 1}, {"A_PHCMCD", QStringLiteral("9999")}, {"A_PHBUUT", QStringLiteral("9999")},
                        {"A_PHMONTH", kMonth}, {"A_PHNUMB", number}, {"A_PHYEAR", year}, {"A_PHDATE", day},
                        {"A_PHADNB", QStringLiteral("30000001")}, {"A_PHWORK", worker},
                        {"A_PHPGID", QStringLiteral("F652_RegOrder")}});
    }

    static QByteArray orderLine(qint64 number, const QString &item, const QVariant &qty)
    {
        return encoded(QStringLiteral("[GP_INSERT_F2100_PURCHASEENTRY]"),
                       {{"A_GUBUN", 2}, {"A_PDCMCD", QStringLiteral("9999")}, {"A_PDBUUT", QStringLiteral("9999")},
                        {"A_PDMONTH", kMonth}, {"A_PDNUMB", number}, {"A_PDSEQ", 1}, {"A_PDITNB", item},
                        {"A_PDQTY", qty}, {"A_PDUPRC", 1800}, {"A_PDWORK", QStringLiteral("90000001")}});
    }

    static QByteArray stockOut(const QString &type, qint64 number)
    {
        return encoded(QStringLiteral("[GP_INSERT_F3200_DELIVERYENTRY]"),
                       {{"A_GUBUN", 1}, {"A_DHCMCD", QStringLiteral("9999")}, {"A_DHBUUT", QStringLiteral("9999")},
                        {"A_DHMONTH", kMonth}, {"A_DHNUMB", number}, {"A_DHYEAR", QStringLiteral("2032")},
                        {"A_DHDATE", QStringLiteral("20320510")}, {"A_DHCHTY", type},
                        {"A_DHWORK", QStringLiteral("90000003")}});
    }

    // A number drawn for the kind on a terminal signed in as 1001.
    static qint64 drawn(int kind)
    {
        const TestServer::Credentials c = server().credentials();
        const Reply r = post(headersOf(c.key, c.session), draw(kind));
        EXPECT_FALSE(r.answer.isError()) << r.answer.error.toStdString();
        return cell(r.answer, 0, QStringLiteral("numb")).toLongLong();
    }
};

TEST_F(Access, KeysStoresSessionsRightsAndWorkers)
{
    // The production delete stands in for any procedure the delete right
    // guards, whether or not the store has productions yet.
    hq::Registry &registry = server().dispatcher().registry();
    if (!registry.findByName(QStringLiteral("GP_DELETE_F3300_PRODUCTENTRY")))
        registry.add(QStringLiteral("GP_DELETE_F3300_PRODUCTENTRY"), true, [](hq::Call &) {});

    const TestServer::Credentials kim = server().credentials(QStringLiteral("1001"));
    const TestServer::Credentials lee = server().credentials(QStringLiteral("1002"));
    const TestServer::Credentials park = server().credentials(QStringLiteral("1003"));
    const TestServer::Credentials keyOnly = server().credentials(QString());
    const QString centre = server().connect(QStringLiteral("2001"), TestServer::store0001Key())->Session();
    const qint64 order = drawn(10);
    const qint64 release = drawn(13);

    const QByteArray users = encoded(QStringLiteral("GP_SELECT_F0050_POS_USERLIST"),
                                     {{"@A_CMCD", QStringLiteral("9999")}, {"@A_STCD", QStringLiteral("9999")}});
    const QByteArray ordersOf9999 = encoded(QStringLiteral("GP_SELECT_F2100_POPUPPURCHASE"),
                                            {{"a_cmcd", QStringLiteral("9999")}, {"a_buut", QStringLiteral("9999")},
                                             {"a_gubun1", QStringLiteral("1")}, {"a_gubun2", QStringLiteral("1")},
                                             {"a_stdt", QStringLiteral("19000101")}, {"a_eddt", QStringLiteral("29991231")}});
    const QByteArray productionDelete =
        encoded(QStringLiteral("GP_DELETE_F3300_PRODUCTENTRY"),
                {{"RHCMCD", QStringLiteral("9999")}, {"RHBUUT", QStringLiteral("9999")}, {"RHMONTH", kMonth}, {"RHNUMB", 1}});

    const std::string none = "", bad = headersOf(QStringLiteral("not-a-key"));
    const struct Case {
        const char *what;
        std::string headers;
        QByteArray body;
        int status;
        const char *error; // "" answered without error
        bool writes;       // the store changes
    } cases[] = {
        {"no key", none, users, 401, "terminal key required", false},
        {"an unknown key", bad, users, 401, "terminal key required", false},
        {"a read with the key alone", headersOf(keyOnly.key), users, 200, "", false},
        {"another terminal's key and store 9999's documents", headersOf(TestServer::store0001Key(), centre),
         ordersOf9999, 200, "다른 매장의 자료는 사용할 수 없습니다.", false},
        {"store 9999's key and store 0001's users", headersOf(kim.key, kim.session),
         encoded(QStringLiteral("GP_SELECT_F0050_POS_USERLIST"),
                 {{"@A_CMCD", QStringLiteral("9999")}, {"@A_STCD", QStringLiteral("0001")}}),
         200, "다른 매장의 자료는 사용할 수 없습니다.", false},
        {"a write without a session", headersOf(keyOnly.key), orderHeader(order), 200, "로그인이 필요합니다.", false},
        {"a session of another terminal", headersOf(keyOnly.key, kim.session), orderHeader(order), 200,
         "로그인이 필요합니다.", false},
        {"1003's purchase order", headersOf(park.key, park.session), orderHeader(order, QStringLiteral("90000003")),
         200, "등록(수정) 권한이 없습니다.", false},
        {"1003's release to a customer", headersOf(park.key, park.session), stockOut(QStringLiteral("001"), release),
         200, "등록(수정) 권한이 없습니다.", false},
        {"1002's delete", headersOf(lee.key, lee.session), productionDelete, 200, "삭제 권한이 없습니다.", false},
        {"1001 writing 1002 as the worker", headersOf(kim.key, kim.session),
         orderHeader(order, QStringLiteral("90000002")), 200, "작업자가 로그인한 사용자와 다릅니다.", false},
        {"1001's purchase order", headersOf(kim.key, kim.session), orderHeader(order), 200, "", true},
        {"1001's delete", headersOf(kim.key, kim.session), productionDelete, 200, nullptr, false},
        {"1003's stock-out, which needs no right", headersOf(park.key, park.session),
         stockOut(QStringLiteral("004"), release), 200, "", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const std::string before = storeState();
        const Reply r = post(c.headers, c.body);
        EXPECT_EQ(r.status, c.status);
        if (!c.error) // anything but a refusal of the right
            EXPECT_NE(r.answer.error, QStringLiteral("삭제 권한이 없습니다."));
        else
            EXPECT_EQ(r.answer.error, QString::fromUtf8(c.error));
        if (c.body == ordersOf9999)
            EXPECT_TRUE(r.answer.rows.isEmpty());
        EXPECT_EQ(storeState() != before, c.writes);
    }

    // Health and the pages stay open; a sign-in on a terminal ends its earlier session.
    RawClient health(server().port());
    health.send("GET /BIN HTTP/1.1\r\nHost: t\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(health.readStatus(std::chrono::seconds(5)), 200);
    auto again = server().connect(QString(), kim.key);
    TestServer::signIn(*again, QStringLiteral("1002"));
    EXPECT_EQ(post(headersOf(kim.key, kim.session), orderHeader(order)).answer.error, QStringLiteral("로그인이 필요합니다."));
    EXPECT_TRUE(post(headersOf(kim.key, again->Session()), orderHeader(order, QStringLiteral("90000002"))).answer.error.isEmpty());
}

TEST_F(Access, ValuesTheStoreCannotHoldAreRefusedAndWriteNothing)
{
    const TestServer::Credentials kim = server().credentials();
    const std::string headers = headersOf(kim.key, kim.session);
    const qint64 order = drawn(10);
    ASSERT_TRUE(post(headers, orderHeader(order)).answer.error.isEmpty());

    // A map of 100,000 keys whose last key repeats the first: refused as a whole.
    QByteArray manyKeys;
    {
        QCborStreamWriter w(&manyKeys);
        w.startMap(100000);
        for (int i = 0; i < 99999; ++i) {
            w.append(QStringLiteral("k%1").arg(i));
            w.append(i);
        }
        w.append(QStringLiteral("k0"));
        w.append(0);
        w.endMap();
    }
    const struct Case {
        const char *what;
        QByteArray body;
        const char *type;
        int status;
        const char *error;
    } cases[] = {
        {"the largest integer as a number", orderHeader(std::numeric_limits<qint64>::max()), "application/cbor", 200,
         "발주 번호가 없습니다."},
        {"a number never drawn", orderHeader(900000), "application/cbor", 200, "발주 번호가 없습니다."},
        {"number 0", orderHeader(0), "application/cbor", 200, "발주 번호가 없습니다."},
        {"a day that is no day", orderHeader(order, QStringLiteral("90000001"), QStringLiteral("20261345")),
         "application/cbor", 200, "올바른 날짜가 아닙니다: 20261345"},
        {"a year that is no year",
         orderHeader(order, QStringLiteral("90000001"), QStringLiteral("20320510"), QStringLiteral("20x2")),
         "application/cbor", 200, "올바른 연도가 아닙니다: 20x2"},
        {"an item the store does not have", orderLine(order, QStringLiteral("999999"), 1.0), "application/cbor", 200,
         "매장에 없는 품목입니다: 999999"},
        {"a quantity of 1e300", orderLine(order, QStringLiteral("100001"), 1e300), "application/cbor", 200,
         "값이 범위를 벗어났습니다: PDQTY"},
        {"100,000 keys", manyKeys, "application/cbor", 400, "malformed request: repeated map key \"k0\""},
        {"a text body", orderHeader(order), "text/plain", 415, "content type must be application/cbor"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const std::string before = storeState();
        const Reply r = post(headers, c.body, c.type);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.answer.error, QString::fromUtf8(c.error));
        EXPECT_EQ(storeState(), before);
    }
    // The next draw follows the last number drawn, and the same header is taken.
    EXPECT_EQ(drawn(10), order + 1);
    EXPECT_TRUE(post(headers, orderLine(order, QStringLiteral("100001"), 2.0)).answer.error.isEmpty());
}

TEST_F(Access, WrongPasswordsWaitAfterTheFifthAndTheRightOneStillWorks)
{
    const QString key = server().newTerminalKey();
    const auto signIn = [&](const char *password) {
        QElapsedTimer t;
        t.start();
        const Reply r = post(headersOf(key), encoded(QStringLiteral("[GP_SELECT_F0050_POS_LOGIN]"),
                                                     {{"@A_CMCD", QStringLiteral("9999")}, {"@A_STCD", QStringLiteral("9999")},
                                                      {"@A_USER", QStringLiteral("1002")}, {"@A_PWD", QString::fromLatin1(password)},
                                                      {"@A_BAR", QString()}}));
        EXPECT_FALSE(r.answer.isError()) << r.answer.error.toStdString();
        return std::pair{r.answer.rows.size(), t.elapsed()};
    };
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(signIn("wrong").first, 0);
    const auto sixth = signIn("wrong");
    EXPECT_EQ(sixth.first, 0);
    EXPECT_GE(sixth.second, 950); // waited a second before it was judged
    const auto right = signIn("1234");
    EXPECT_EQ(right.first, 1);
    EXPECT_GE(right.second, 1950); // two seconds after the sixth failure
    EXPECT_LT(signIn("wrong").second, 950); // the success began the count again
}

TEST(Sessions, ASessionUnusedForTwelveHoursEnds)
{
    hq::Sessions sessions;
    auto now = std::chrono::steady_clock::now();
    sessions.setClock([&now] { return now; });
    const hq::Terminal till{QStringLiteral("9999"), QStringLiteral("9999"), QStringLiteral("99")};
    const QString token = sessions.open(till, {QStringLiteral("90000001"), QStringLiteral("001")});
    now += std::chrono::hours(11);
    ASSERT_TRUE(sessions.find(token, till)); // used: another twelve hours from here
    now += std::chrono::hours(11) + std::chrono::minutes(59);
    EXPECT_TRUE(sessions.find(token, till));
    now += std::chrono::hours(12) + std::chrono::seconds(1);
    EXPECT_FALSE(sessions.find(token, till));
}

} // namespace
