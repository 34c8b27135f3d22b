#include "ShellTestUtil.h"

#include "core/uKV_Common_Msg.h"
#include "shell/U401_Dialog.h"
#include "ui_U401_Dialog.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg = new TF401_Dialog;
        F401_Dialog = dlg;
    }
    void TearDown() override
    {
        SetKeyboardPlacement(nullptr);
        delete dlg;
    }

    QString shownText() const { return dlg->form().lb_Message->text(); }

    // Steps the clock a little at a time and records each text the window
    // shows, until it closes.
    QStringList watchUntilClosed()
    {
        QStringList seen;
        QTimer stepper;
        QObject::connect(&stepper, &QTimer::timeout, [] { advanceClock(700); });
        stepper.start(50);
        const bool closed = QTest::qWaitFor(
            [&] {
                if (dlg->isVisible() && (seen.isEmpty() || seen.last() != shownText()))
                    seen.append(shownText());
                return !dlg->isVisible();
            },
            20000);
        EXPECT_TRUE(closed);
        return seen;
    }

    ClockGuard clock;
    TF401_Dialog *dlg = nullptr;
};

TEST_F(MessageBoxTest, TimedNoticesShowOneAfterAnotherThenTheWindowCloses)
{
    EXPECT_EQ(ShowMessageBox("첫째 알림", 2, 2000), 0);
    ASSERT_TRUE(dlg->isVisible());
    EXPECT_FALSE(dlg->isModal());
    EXPECT_EQ(ShowMessageBox("둘째 알림", 2, 2000), 0);
    EXPECT_EQ(ShowMessageBox("셋째 알림", 2, 2000), 0);
    EXPECT_EQ(shownText(), "첫째 알림");

    EXPECT_EQ(watchUntilClosed(), QStringList({"첫째 알림", "둘째 알림", "셋째 알림"}));
    EXPECT_FALSE(dlg->tmr_Stay->isActive());
}

TEST_F(MessageBoxTest, NoticeStaysUntilItsStayTimeHasPassed)
{
    ShowMessageBox("긴 알림", 2, 60000);
    QTest::qWait(300); // several timer periods, far less than the stay time
    EXPECT_TRUE(dlg->isVisible());
    advanceClock(60100);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dlg->isVisible(); }, 5000));
}

TEST_F(MessageBoxTest, TextWithoutStayTimeQueuedBehindTimedNoticeWaitsForOk)
{
    ShowMessageBox("잠깐 알림", 2, 2000);
    ShowMessageBox("확인할 알림", 2, 0);
    advanceClock(2100);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownText() == "확인할 알림"; }, 5000));
    advanceClock(60000);
    QTest::qWait(300); // several timer periods: the text must still be there
    EXPECT_TRUE(dlg->isVisible());

    clickButton(dlg->form().btn_OK);
    EXPECT_FALSE(dlg->isVisible());
}

struct QuestionCase {
    int kind;
    const char *press;
    int result;
    // Expected layout: left position, or -1 when hidden; and the caption.
    int yesLeft, okLeft, noLeft;
    const char *yesCaption, *okCaption, *noCaption;
};

TEST_F(MessageBoxTest, QuestionShowsTheButtonsOfItsKindAndReturnsThePressedOne)
{
    const QuestionCase cases[] = {
        {0, "btn_OK", 1, -1, 151, -1, "", "   확인", ""},
        {1, "btn_Yes", 6, 115, -1, 251, "   확인", "", "   취소"},
        {1, "btn_No", 7, 115, -1, 251, "   확인", "", "   취소"},
        {4, "btn_Yes", 6, 22, 280, 151, "  거래처별발주", "  취  소  ", "  패턴별발주"},
        {4, "btn_No", 7, 22, 280, 151, "  거래처별발주", "  취  소  ", "  패턴별발주"},
        {4, "btn_OK", 1, 22, 280, 151, "  거래처별발주", "  취  소  ", "  패턴별발주"},
        {3, "btn_Yes", 6, 115, -1, 251, "   승인", "", "   거절"},
        {3, "btn_No", 7, 115, -1, 251, "   승인", "", "   거절"},
        {5, "btn_Yes", 6, 51, 179, 307, "   함께적용", "   쿠폰적용", "   할인적용"},
        {5, "btn_OK", 1, 51, 179, 307, "   함께적용", "   쿠폰적용", "   할인적용"},
        {9, "btn_OK", 1, -1, 179, -1, "", "   확인", ""},
    };
    for (const QuestionCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " pressing " << c.press);
        bool checked = false;
        whenLoopRuns([&] {
            checked = true;
            EXPECT_TRUE(dlg->isModal());
            EXPECT_EQ(shownText(), "진행할까요?");
            const struct {
                TMirelImgBtn *button;
                int left;
                const char *caption;
            } expect[] = {{dlg->form().btn_Yes, c.yesLeft, c.yesCaption},
                          {dlg->form().btn_OK, c.okLeft, c.okCaption},
                          {dlg->form().btn_No, c.noLeft, c.noCaption}};
            for (const auto &e : expect) {
                SCOPED_TRACE(e.button->objectName().toStdString());
                EXPECT_EQ(e.button->isVisible(), e.left >= 0);
                if (e.left >= 0) {
                    EXPECT_EQ(e.button->geometry(), QRect(e.left, 223, 112, 30));
                    EXPECT_EQ(e.button->Caption(), QString::fromUtf8(e.caption));
                }
            }
            clickButton(dlg->findChild<TMirelImgBtn *>(c.press));
        });
        EXPECT_EQ(AskMessageBox("진행할까요?", c.kind), c.result);
        EXPECT_TRUE(checked);
        EXPECT_FALSE(dlg->isVisible());

        // A notice after the question gets its own single OK button back.
        EXPECT_EQ(ShowMessageBox("알림", 2, 0), 0);
        EXPECT_FALSE(dlg->form().btn_Yes->isVisible());
        EXPECT_FALSE(dlg->form().btn_No->isVisible());
        EXPECT_TRUE(dlg->form().btn_OK->isVisible());
        EXPECT_EQ(dlg->form().btn_OK->geometry(), QRect(151, 223, 112, 30));
        EXPECT_EQ(dlg->form().btn_OK->Caption(), QString::fromUtf8("   확인"));
        clickButton(dlg->form().btn_OK);
        EXPECT_FALSE(dlg->isVisible());
    }
}

TEST_F(MessageBoxTest, QuestionDuringNoticeReturnsZeroAndShowsAfterIt)
{
    ShowMessageBox("저장되었습니다.", 2, 0);
    ASSERT_TRUE(dlg->isVisible());

    EXPECT_EQ(AskMessageBox("삭제하시겠습니까?", 1), 0);
    // The notice keeps its mode and its single OK button.
    EXPECT_FALSE(dlg->isModal());
    EXPECT_TRUE(dlg->form().btn_OK->isVisible());
    EXPECT_FALSE(dlg->form().btn_Yes->isVisible());
    EXPECT_FALSE(dlg->form().btn_No->isVisible());
    EXPECT_EQ(shownText(), "저장되었습니다.");

    // OK shows the queued text at once; the next OK closes the window.
    clickButton(dlg->form().btn_OK);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(shownText(), "삭제하시겠습니까?");
    clickButton(dlg->form().btn_OK);
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(MessageBoxTest, AnsweringAQuestionDiscardsTheTextsQueuedMeanwhile)
{
    whenLoopRuns([&] {
        EXPECT_EQ(ShowMessageBox("대기 알림 1", 2, 2000), 0);
        EXPECT_EQ(ShowMessageBox("대기 알림 2", 2, 2000), 0);
        EXPECT_EQ(shownText(), "계속할까요?");
        clickButton(dlg->form().btn_Yes);
    });
    EXPECT_EQ(AskMessageBox("계속할까요?", 1), 6);
    EXPECT_FALSE(dlg->isVisible());

    ShowMessageBox("새 알림", 2, 0);
    EXPECT_EQ(shownText(), "새 알림");
    clickButton(dlg->form().btn_OK);
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(MessageBoxTest, QuestionWhoseStayTimeRunsOutReturnsZero)
{
    QTimer stepper;
    QObject::connect(&stepper, &QTimer::timeout, [] { advanceClock(700); });
    stepper.start(50);
    EXPECT_EQ(ShowMessageBox("응답이 없으면 닫힙니다", 1, 1000), 0);
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(MessageBoxTest, NoticeOkButtonWorksOverAModalDialog)
{
    QDialog screen;
    screen.resize(300, 200);
    bool noticeClosed = false;
    whenLoopRuns([&] {
        EXPECT_EQ(ShowMessageBox("모달 위의 알림", 2, 0), 0);
        ASSERT_TRUE(dlg->isVisible());
        EXPECT_EQ(dlg->windowHandle()->transientParent(), screen.windowHandle());
        clickButton(dlg->form().btn_OK); // dropped by Qt if the modal screen blocked it
        noticeClosed = !dlg->isVisible();
        screen.done(0);
    });
    screen.exec();
    EXPECT_TRUE(noticeClosed);
}

class FakeKeyboard : public KeyboardPlacement {
public:
    bool showing = false;
    int keyboardTop = 0;
    bool isShowing() const override { return showing; }
    int top() const override { return keyboardTop; }
};

TEST_F(MessageBoxTest, WindowStandsAboveTheKeyboardWhenItShows)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    FakeKeyboard keyboard;
    SetKeyboardPlacement(&keyboard);

    const struct {
        bool showing;
        int keyboardTop;
        int expectedTop;
    } cases[] = {
        {false, 533, screen.height() / 2 - 150},
        {true, 533, 533 - 231},
        {true, 400, 400 - 231},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "keyboard showing " << c.showing << " top " << c.keyboardTop);
        keyboard.showing = c.showing;
        keyboard.keyboardTop = c.keyboardTop;
        ShowMessageBox("위치", 2, 0);
        EXPECT_EQ(dlg->pos(), QPoint(screen.width() / 2 - 240, c.expectedTop));
        clickButton(dlg->form().btn_OK);
        ASSERT_FALSE(dlg->isVisible());
    }
}

TEST_F(MessageBoxTest, DraggingTheTitleMovesTheWindow)
{
    ShowMessageBox("끌어서 옮기기", 2, 0);
    auto *title = dlg->findChild<QLabel *>("img_Title");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "알림창");
    const QPoint start = dlg->pos();
    const QPoint local(40, 10);
    const QPoint global = title->mapToGlobal(local);

    auto send = [&](QEvent::Type type, QPoint delta, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent ev(type, QPointF(local + delta), QPointF(local + delta), QPointF(global + delta),
                       button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(title, &ev);
    };
    send(QEvent::MouseButtonPress, {}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {25, -40}, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {25, -40}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(dlg->pos(), start + QPoint(25, -40));

    // Without a press, moving over the title moves nothing.
    send(QEvent::MouseMove, {60, 60}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(dlg->pos(), start + QPoint(25, -40));
}

TEST_F(MessageBoxTest, DestroyingTheWindowGivesBackThePreviousHandler)
{
    delete dlg;
    dlg = nullptr;
    EXPECT_EQ(F401_Dialog, nullptr);
    // No window: the text goes to the log and nothing is asked.
    EXPECT_EQ(AskMessageBox("창 없음", 1), 0);
}

} // namespace
