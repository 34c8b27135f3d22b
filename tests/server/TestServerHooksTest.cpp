// The in-process test server's call record and failure hook, which the screen
// tests use to see what reached the server and to make a call fail.

#include "ServerTestUtil.h"

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
