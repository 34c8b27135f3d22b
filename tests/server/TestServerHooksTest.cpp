// The in-process test server's call record and failure hook, which the screen
// tests use to see what reached the server and to make a call fail.

#include "ServerTestUtil.h"

#include "HqServer.h"

#include <httplib.h>

using namespace servertest;

namespace {

class TestServerHooks : public ServerSuite {
protected:
    void SetUp() override
    {
        server().clearCalls();
        server().clearFailures();
    }

    static wire::Answer draw()
    {
        return call(QStringLiteral("[GP_SELECT_MAXNUMBER]"), {{"A_GUBUN", 10},
                                                             {"A_CMCD", QStringLiteral("9999")},
                                                             {"A_BUUT", QStringLiteral("9999")},
                                                             {"A_MONTH", QStringLiteral("209901")}});
    }
    static qint64 lastDrawn()
    {
        auto lease = server().store().acquire();
        SQLite::Statement st(lease.db(), "SELECT MAX(NBLAST) FROM SYS_NUMBER WHERE NBMONTH = '209901'");
        return st.executeStep() ? st.getColumn(0).getInt64() : 0;
    }
};

} // namespace

TEST_F(TestServerHooks, RecordsCallsInOrderAndFailsTheNthCallEitherWay)
{
    const qint64 start = lastDrawn();
    server().failCall(QStringLiteral("GP_SELECT_MAXNUMBER"), 2, TestServer::FailMode::BeforeRun);
    EXPECT_FALSE(draw().isError());
    const wire::Answer refused = draw();
    ASSERT_TRUE(refused.isError());
    EXPECT_EQ(refused.error, QStringLiteral("test failure"));
    EXPECT_EQ(lastDrawn(), start + 1); // refused before it ran: nothing drawn
    EXPECT_FALSE(draw().isError());     // fired once only
    EXPECT_EQ(lastDrawn(), start + 2);

    server().failCall(QStringLiteral("gp_select_maxnumber"), 1, TestServer::FailMode::AfterCommit);
    EXPECT_TRUE(draw().isError());
    EXPECT_EQ(lastDrawn(), start + 3); // committed, answer lost

    call(QStringLiteral("SELECT DATEPART(YYYY, GETDATE()) AS YY"), {}, QStringLiteral("dspQuery1"));
    EXPECT_EQ(server().calls(), (QStringList{"GP_SELECT_MAXNUMBER", "GP_SELECT_MAXNUMBER", "GP_SELECT_MAXNUMBER",
                                             "GP_SELECT_MAXNUMBER", "SQL:time"}));
}

TEST(ServerPages, HandlersAnswerInOrderAndAnythingElseIs404WhileBinStaysTheHealthAnswer)
{
    TestServer s;
    s.onStart([](hq::HqServer &http) {
        http.addPages([](const std::string &path, const hq::Query &query, hq::Page &page) {
            if (path != "/hello")
                return false;
            page.status = 200;
            for (const auto &[k, v] : query)
                page.body += k + "=" + v + ";";
            return true;
        });
        http.addPages([](const std::string &, const hq::Query &, hq::Page &page) {
            page.body = "second";
            return false;
        });
    });
    s.start();
    httplib::Client http("127.0.0.1", s.port());
    auto hello = http.Get("/hello?b=%ED%95%9C&a=1");
    ASSERT_TRUE(hello);
    EXPECT_EQ(hello->status, 200);
    EXPECT_EQ(hello->body, "b=한;a=1;"); // in the order sent
    auto missing = http.Get("/nothing.bz2");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->status, 404);
    auto health = http.Get("/BIN");
    ASSERT_TRUE(health);
    EXPECT_EQ(health->status, 200);
}
