// The work-screen base, the screen runner and the menu's switch: menu
// button and state, the guard question on entry screens, flat switching,
// the time-clock hand-over and the keyboard on leaving the recipe view.
// No server here: without a sign-in source the menu's refresh does nothing
// and every button stays enabled.

#include "ScreenTestUtil.h"

#include "shell/PlaceholderScreen.h"
#include "shell/U403_Keyboard.h"
#include "support/MessageResponder.h"

#include <QDialog>

namespace {

constexpr int Order = 501301;   // entry screen, VTB_PATTERNBALJU
constexpr int Produce = 501303; // entry screen, vtb_STOCK
constexpr int History = 501307;
constexpr int DailyReport = 501309;
constexpr int Recipe = 501314;
constexpr int Stock = 501317;

const char *const Guard =
    "작업이 끝나지 않았으면 취소를 누르시고 숨기기 버튼을 이용해 누르세요, 확인을 누르시면 입력하신 자료가 소멸됩니다";

void addUnsavedRow(TWorkScreen *screen)
{
    DataSet *table = screen->WorkTable();
    ASSERT_NE(table, nullptr);
    table->Append();
    table->FieldByName("IMITNB").setAsString("10000001");
    table->Post();
}

class ScreenRunnerTest : public WorkScreenSuite {};

TEST_F(ScreenRunnerTest, EveryMenuEntryHasAPlaceholderNamingItsScreen)
{
    ASSERT_EQ(MenuScreens().size(), 16);
    EXPECT_EQ(FindMenuScreen(501316), nullptr);
    for (const ScreenInfo &row : MenuScreens()) {
        SCOPED_TRACE(row.tag);
        std::unique_ptr<TWorkScreen> screen(CreateScreen(row.tag));
        auto *placeholder = dynamic_cast<TPlaceholderScreen *>(screen.get());
        ASSERT_NE(placeholder, nullptr);
        EXPECT_EQ(screen->MenuTag(), row.tag);
        EXPECT_EQ(screen->size(), QSize(1024, 768));
        EXPECT_TRUE(screen->windowFlags() & Qt::FramelessWindowHint);
        const QString caption = placeholder->lb_Caption->text();
        EXPECT_TRUE(caption.contains(row.className)) << caption.toStdString();
        EXPECT_TRUE(caption.contains(row.title)) << caption.toStdString();
        EXPECT_NE(screen->findChild<QWidget *>("btn_AllMenuView"), nullptr);
        const bool entry = (row.tag >= 501301 && row.tag <= 501306) || row.tag == 501308;
        ASSERT_EQ(screen->WorkTable() != nullptr, entry);
        if (entry) {
            const bool pattern = row.tag == 501301 || row.tag == 501302 || row.tag == 501304;
            EXPECT_EQ(screen->WorkTable()->objectName(), pattern ? "VTB_PATTERNBALJU" : "vtb_STOCK");
            EXPECT_EQ(screen->WorkTable()->RecordCount(), 0);
        }
    }
    EXPECT_EQ(CreateScreen(501316), nullptr);
}

TEST_F(ScreenRunnerTest, MenuButtonShowsTheMenuWheneverItIsNotOnScreen)
{
    onScreen = [&](int, TWorkScreen *screen) {
        screen->move(20, 10);
        EXPECT_EQ(screen->MenuViewState, "0");
        clickButton(screen->btn_AllMenuView);
        EXPECT_TRUE(menu->isVisible());
        EXPECT_EQ(screen->MenuViewState, "1");
        EXPECT_EQ(menu->pos(), QPoint(21, 63));
        clickButton(screen->btn_AllMenuView);
        EXPECT_FALSE(menu->isVisible());
        EXPECT_EQ(screen->MenuViewState, "2");
        clickButton(screen->btn_AllMenuView);
        EXPECT_TRUE(menu->isVisible());
        // The menu closed some other way: one press brings it back.
        menu->close();
        EXPECT_EQ(screen->MenuViewState, "2");
        clickButton(screen->btn_AllMenuView);
        EXPECT_TRUE(menu->isVisible());
        EXPECT_EQ(screen->MenuViewState, "1");
        menu->close();
        closeByButton(screen);
    };
    runner().run(DailyReport);
    EXPECT_EQ(started, 1);
    EXPECT_TRUE(runner().isIdle());
}

TEST_F(ScreenRunnerTest, MenuOverTheModalScreenTakesTouches)
{
    onScreen = [&](int tag, TWorkScreen *screen) {
        if (tag == Stock) {
            closeByButton(screen);
            return;
        }
        clickButton(screen->btn_AllMenuView);
        ASSERT_TRUE(menu->isVisible());
        EXPECT_EQ(menu->windowHandle()->transientParent(), screen->windowHandle());
        touchButton(menu->buttonOf(Stock)); // dropped by Qt if the screen blocked the menu
    };
    runner().run(History);
    EXPECT_EQ(startedTags, (QList<int>{History, Stock}));
}

TEST_F(ScreenRunnerTest, DisabledMenuButtonDoesNothing)
{
    onScreen = [&](int, TWorkScreen *screen) {
        menu->buttonOf(Stock)->setEnabled(false);
        switchTo(screen, Stock);
        menu->btn_BtnClick(menu->buttonOf(Stock));
        EXPECT_TRUE(screen->isVisible());
        menu->close();
        closeByButton(screen);
    };
    runner().run(History);
    EXPECT_EQ(startedTags, QList<int>{History});
}

TEST_F(ScreenRunnerTest, UnsavedRowsAskBeforeTheSwitch)
{
    MessageResponder responder;
    responder.answer(6);
    QPointer<TWorkScreen> order;
    onScreen = [&](int tag, TWorkScreen *screen) {
        if (tag == Order) {
            order = screen;
            addUnsavedRow(screen);
            switchTo(screen, DailyReport);
            return;
        }
        EXPECT_TRUE(order.isNull()); // freed before the next screen opened
        EXPECT_EQ(ScreenInstance(Order), nullptr);
        EXPECT_EQ(ScreenInstance(DailyReport), screen);
        EXPECT_EQ(menu->CurrentFormTag, DailyReport);
        closeByButton(screen);
    };
    runner().run(Order);
    ASSERT_EQ(responder.questions().size(), 1);
    EXPECT_EQ(responder.questions().first().text, QString::fromUtf8(Guard));
    EXPECT_EQ(responder.questions().first().kind, 1);
    EXPECT_EQ(startedTags, (QList<int>{Order, DailyReport}));
    EXPECT_EQ(menu->CloseResult, 1);
}

TEST_F(ScreenRunnerTest, DeclinedQuestionKeepsTheScreenAndLaterSwitchesAskNothing)
{
    MessageResponder responder;
    responder.answer({7, 6});
    int declined = 0;
    onScreen = [&](int tag, TWorkScreen *screen) {
        switch (tag) {
        case Produce:
            addUnsavedRow(screen);
            switchTo(screen, DailyReport);
            // Declined: the screen, its rows and its global stay; the menu is
            // gone, and one press of the menu button shows it again.
            ++declined;
            EXPECT_EQ(menu->CloseResult, 2);
            EXPECT_TRUE(screen->isVisible());
            EXPECT_EQ(screen->WorkTable()->RecordCount(), 1);
            EXPECT_EQ(ScreenInstance(Produce), screen);
            EXPECT_FALSE(menu->isVisible());
            clickButton(screen->btn_AllMenuView);
            EXPECT_TRUE(menu->isVisible());
            touchButton(menu->buttonOf(DailyReport)); // asked again, answered 6
            return;
        case DailyReport:
            switchTo(screen, Stock); // a report screen: no question
            return;
        default:
            closeByButton(screen);
        }
    };
    runner().run(Produce);
    EXPECT_EQ(declined, 1);
    EXPECT_EQ(responder.questions().size(), 2);
    EXPECT_EQ(startedTags, (QList<int>{Produce, DailyReport, Stock}));
}

TEST_F(ScreenRunnerTest, EmptyWorkTableClosesWithoutAQuestion)
{
    MessageResponder responder; // an unscripted question would fail the test
    onScreen = [&](int tag, TWorkScreen *screen) {
        if (tag == Order)
            switchTo(screen, Produce);
        else
            closeByButton(screen);
    };
    runner().run(Order);
    EXPECT_TRUE(responder.messages().isEmpty());
    EXPECT_EQ(startedTags, (QList<int>{Order, Produce}));
}

TEST_F(ScreenRunnerTest, RegisteredScreenHasItsGlobalOnlyWhileItRuns)
{
    TimeClockStandIn *F638_AttendModify = nullptr;
    RegisterScreen<TimeClockStandIn>(MenuTag::TimeClock, F638_AttendModify);
    onScreen = [&](int tag, TWorkScreen *screen) {
        if (tag == MenuTag::TimeClock) {
            EXPECT_EQ(F638_AttendModify, screen);
            switchTo(screen, Stock);
        } else {
            EXPECT_EQ(F638_AttendModify, nullptr);
            closeByButton(screen);
        }
    };
    runner().run(MenuTag::TimeClock);
    EXPECT_EQ(F638_AttendModify, nullptr);
    EXPECT_EQ(startedTags, (QList<int>{MenuTag::TimeClock, Stock}));
}

TEST_F(ScreenRunnerTest, TimeClockReceivesTheSignInRow)
{
    FakeSignIn signIn;
    SetSignInSource(&signIn);
    TimeClockStandIn *F638_AttendModify = nullptr;
    RegisterScreen<TimeClockStandIn>(MenuTag::TimeClock, F638_AttendModify);
    QStringList seen;
    onScreen = [&](int tag, TWorkScreen *screen) {
        if (tag != MenuTag::TimeClock) {
            signIn.setRow("90000002", "이직원", false);
            switchTo(screen, MenuTag::TimeClock);
            return;
        }
        auto *clock = static_cast<TimeClockStandIn *>(screen);
        seen << QStringLiteral("%1 %2 %3").arg(clock->number(), clock->name()).arg(clock->manager());
        if (seen.size() == 1)
            switchTo(screen, Stock); // through the menu next time
        else
            screen->CloseOperation();
    };
    // Opened directly, as the sign-in screen opens it, then through the menu.
    signIn.setRow("90000001", "김관리", true);
    runner().run(MenuTag::TimeClock);
    EXPECT_EQ(seen, (QStringList{"90000001 김관리 1", "90000002 이직원 0"}));
}

TEST_F(ScreenRunnerTest, LeavingTheRecipeViewClosesTheKeyboard)
{
    TF403_Keyboard keyboard;
    F403_Keyboard = &keyboard;
    QList<bool> showingWhenLeft;
    const QList<int> next = {Recipe, DailyReport, Stock};
    int step = 0;
    onScreen = [&](int, TWorkScreen *screen) {
        if (step > 0)
            showingWhenLeft << keyboard.isShowing();
        if (step == next.size()) {
            closeByButton(screen);
            return;
        }
        keyboard.Show(screen, 0, QPoint(0, 532));
        ASSERT_TRUE(keyboard.isShowing());
        switchTo(screen, next[step++]);
    };
    runner().run(DailyReport);
    F403_Keyboard = nullptr;
    // Report -> recipe -> report -> stock: only leaving the recipe view
    // closed the keyboard.
    EXPECT_EQ(startedTags, (QList<int>{DailyReport, Recipe, DailyReport, Stock}));
    EXPECT_EQ(showingWhenLeft, (QList<bool>{true, false, true}));
}

TEST_F(ScreenRunnerTest, TwoHundredSwitchesRunFlat)
{
    const QList<int> cycle = {Order, History, DailyReport, Produce, Stock, Recipe};
    int switches = 0;
    int mostAlive = 0;
    onScreen = [&](int, TWorkScreen *screen) {
        mostAlive = std::max(mostAlive, TWorkScreen::LiveCount());
        EXPECT_EQ(runner().loopLevels(), 1);
        if (switches == 200) {
            closeByButton(screen);
            return;
        }
        switchTo(screen, cycle[++switches % cycle.size()]);
    };

    // The sign-in screen's stand-in opens the first screen from its own
    // modal loop and gets control back when the last screen closes.
    QDialog signIn;
    bool returned = false;
    whenLoopRuns([&] {
        runner().run(Order);
        returned = runner().isIdle();
        signIn.done(0);
    });
    signIn.exec();

    EXPECT_TRUE(returned);
    EXPECT_EQ(switches, 200);
    EXPECT_EQ(started, 201);
    EXPECT_EQ(mostAlive, 1);
    EXPECT_EQ(runner().peakLiveScreens(), 1);
    EXPECT_EQ(runner().peakLoopLevels(), 1);
    EXPECT_EQ(TWorkScreen::LiveCount(), 0);
    EXPECT_EQ(runner().liveScreens(), 0);
}

TEST_F(ScreenRunnerTest, UnknownTagOpensNothingAndIsNotClosed)
{
    runner().run(501316);
    EXPECT_EQ(started, 0);
    EXPECT_TRUE(runner().isIdle());

    // A current Tag the menu does not know: CloseCurrent leaves its answer.
    menu->CurrentFormTag = 4242;
    menu->CloseResult = 7;
    menu->CloseCurrent(nullptr);
    EXPECT_EQ(menu->CloseResult, 7);
}

} // namespace
