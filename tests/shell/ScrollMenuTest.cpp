// The scroll menu's refresh against the test server: buttons enabled by the
// user group's program rights, the user slot refreshed, failures that keep
// the states, and rights changed on the server seen at the next show.

#include "ScreenTestUtil.h"

#include "core/DataModuleFixture.h"
#include "Store.h"

#include <QSet>

namespace {

const QList<int> AllTags = {501301, 501302, 501303, 501304, 501305, 501306, 501307, 501308,
                            501309, 501310, 501311, 501312, 501313, 501314, 501315, 501317};

class ScrollMenuTest : public DataModuleSuite {
protected:
    void SetUp() override
    {
        DataModuleSuite::SetUp();
        DM = dm.get();
        ASSERT_TRUE(dm->SDB_Open());
        SetSignInSource(&signIn);
        menu = std::make_unique<TF505_ScrollMenu>();
        F505_ScrollMenu = menu.get();
        sql("CREATE TABLE IF NOT EXISTS saved_F0030 AS SELECT * FROM F0030");
    }
    void TearDown() override
    {
        sql("DELETE FROM F0030; INSERT INTO F0030 SELECT * FROM saved_F0030");
        server().clearFailures();
        menu.reset();
        SetSignInSource(nullptr);
        DM = nullptr;
        DataModuleSuite::TearDown();
    }

    static void sql(const char *text)
    {
        auto lease = server().store().acquire();
        lease.db().exec(text);
    }

    void signInAs(const QString &id)
    {
        signIn.id = id;
        signIn.password = "1234";
    }

    // Shows and hides the menu (the refresh runs on show); the enabled Tags.
    QSet<int> showMenu()
    {
        menu->show();
        menu->hide();
        QSet<int> enabled;
        for (int tag : AllTags)
            if (menu->buttonOf(tag)->isEnabled())
                enabled.insert(tag);
        return enabled;
    }

    static QSet<int> allBut(std::initializer_list<int> off)
    {
        QSet<int> tags(AllTags.begin(), AllTags.end());
        for (int tag : off)
            tags.remove(tag);
        return tags;
    }

    FakeSignIn signIn;
    std::unique_ptr<TF505_ScrollMenu> menu;
};

TEST_F(ScrollMenuTest, ButtonsFollowTheGroupRights)
{
    struct Case {
        const char *name;
        const char *user;
        const char *fixture; // SQL run before the show, or nullptr
        QSet<int> enabled;
        const char *number;
        bool manager;
    };
    const QList<Case> cases = {
        {"group 001: every right", "1001", nullptr, allBut({}), "90000001", true},
        {"group 002: no deletions", "1002", nullptr, allBut({}), "90000002", false},
        {"group 003: history through the sales inquiry", "1003", nullptr,
         allBut({501301, 501302, 501303, 501304, 501305, 501306, 501308}), "90000003", false},
        {"purchase inquiry present and not usable decides the history", "1003",
         "INSERT INTO F0030 (SLCMCD, SLUSGR, SLPGID, SLUAUG, SLREAU) VALUES ('9999', '003', 'F20_PURCHASEINQUIRY', 0, 1)",
         allBut({501301, 501302, 501303, 501304, 501305, 501306, 501307, 501308}), "90000003", false},
        {"entries follow uaug, reports reau, missing ids disable", "1002",
         "UPDATE F0030 SET SLUAUG = 0 WHERE SLUSGR = '002' AND SLPGID = 'F20_PURCHASEENTRY';"
         "UPDATE F0030 SET SLREAU = 0 WHERE SLUSGR = '002' AND SLPGID = 'F30_PRODUCTINQUIRY';"
         "UPDATE F0030 SET SLUAUG = 0 WHERE SLUSGR = '002' AND SLPGID = 'F30_MATSTOCKINQUIRY';"
         "DELETE FROM F0030 WHERE SLUSGR = '002' AND SLPGID IN ('F30_DELIVERYENTRY', 'F02_RECIPE',"
         " 'F20_PURCHASEINQUIRY', 'F20_SALESINQUIRY', 'F30_WAREHOUSEINQUIRY', 'F30_DELIVERYINQUIRY')",
         allBut({501301, 501304, 501305, 501306, 501307, 501309, 501314}), "90000002", false},
        {"no rights rows: only the time clock and the stock status", "1001",
         "DELETE FROM F0030 WHERE SLUSGR = '001'", QSet<int>{501315, 501317}, "90000001", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        // Start from every button enabled, so that a disabled one was disabled by this refresh.
        for (int tag : AllTags)
            menu->buttonOf(tag)->setEnabled(true);
        if (c.fixture)
            sql(c.fixture);
        signInAs(c.user);
        EXPECT_EQ(showMenu(), c.enabled);
        // Disabled buttons lose their picture: their caption names the screen.
        for (int tag : AllTags) {
            if (!c.enabled.contains(tag)) {
                EXPECT_EQ(menu->buttonOf(tag)->Caption(), FindMenuScreen(tag)->title) << tag;
            } else {
                EXPECT_TRUE(menu->buttonOf(tag)->Caption().isEmpty()) << tag;
            }
        }
        EXPECT_EQ(MyConfig.UIADNB, c.number);
        EXPECT_EQ(MyConfig.UIUAUG, c.manager);
        EXPECT_FALSE(MyConfig.ABNAME.isEmpty());
        sql("DELETE FROM F0030; INSERT INTO F0030 SELECT * FROM saved_F0030");
    }
    // The menu sent the sign-in texts as typed.
    EXPECT_EQ(menu->cds_Login->ParamByName("@A_USER").AsString(), "1001");
    EXPECT_EQ(menu->CDS_AUTHORIZE->ParamByName("A_USGR").AsString(), "001");
}

TEST_F(ScrollMenuTest, RightsChangedOnTheServerShowAtTheNextShow)
{
    signInAs("1003");
    ASSERT_TRUE(showMenu().contains(501307));
    sql("INSERT INTO F0030 (SLCMCD, SLUSGR, SLPGID, SLUAUG, SLREAU) VALUES ('9999', '003', 'F20_PURCHASEINQUIRY', 0, 1);"
        "UPDATE F0030 SET SLUAUG = 1 WHERE SLUSGR = '003' AND SLPGID = 'F30_WORKENTRY'");
    const QSet<int> enabled = showMenu();
    EXPECT_FALSE(enabled.contains(501307));
    EXPECT_TRUE(enabled.contains(501308));
}

TEST_F(ScrollMenuTest, FailedRefreshKeepsTheButtons)
{
    signInAs("1003");
    const QSet<int> before = showMenu();
    ASSERT_EQ(before.size(), 9);

    // A sign-in text the server does not accept: no row, nothing changes.
    signIn.id = "1001";
    signIn.password = "wrong";
    EXPECT_EQ(showMenu(), before);
    EXPECT_EQ(MyConfig.UIADNB, "90000003");

    // The rights query fails: the user slot was already refreshed, the
    // buttons keep their states.
    signInAs("1001");
    server().failCall("GP_SELECT_F0030_RALD", 1, TestServer::FailMode::BeforeRun);
    EXPECT_EQ(showMenu(), before);
    EXPECT_EQ(MyConfig.UIADNB, "90000001");

    // The sign-in query fails: nothing changes, nothing is shown.
    signInAs("1002");
    server().failCall("GP_SELECT_F0050_POS_LOGIN", 1, TestServer::FailMode::BeforeRun);
    EXPECT_EQ(showMenu(), before);
    EXPECT_EQ(MyConfig.UIADNB, "90000001");
    EXPECT_TRUE(logText().isEmpty()) << logText().toStdString();

    // The next refresh works again.
    EXPECT_EQ(showMenu(), allBut({}));
    EXPECT_EQ(MyConfig.UIADNB, "90000002");
}

} // namespace
