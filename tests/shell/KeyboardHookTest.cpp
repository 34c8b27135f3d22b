#include "ShellTestUtil.h"

#include "MKbd.h"
#include "platform/os/SharedBlock.h"

#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// A window that records the mouse presses it gets and the hook messages
// posted to its native window.
class Probe : public QWidget {
public:
    int presses = 0;
    QList<std::pair<quint32, QPoint>> messages;

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Type(mkbd::WM_HOOKMOUSE)) {
            const auto *hook = static_cast<mkbd::HookMouseEvent *>(event);
            messages.append({hook->wParam, mkbd::lParamToPoint(hook->lParam)});
            return true;
        }
        return false;
    }

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

class KeyboardHookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        isolateSharedBlocks();
        for (Probe *p : {&keyboard, &other}) {
            p->resize(200, 100);
            p->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(p));
            p->windowHandle()->installEventFilter(p);
        }
        keyboard.move(100, 600);
        ASSERT_TRUE(block.open(QString::fromLatin1(mkbd::SharedBlockName)));
        QByteArray bytes(16, '\0');
        qToLittleEndian<quint32>(quint32(keyboard.winId()), bytes.data());
        block.write(bytes);
    }
    void TearDown() override
    {
        StopHook();
        block.close();
    }

    static void click(QWidget *w, Qt::MouseButton button, QPoint pos)
    {
        QTest::mousePress(w->windowHandle(), button, {}, pos);
        QTest::mouseRelease(w->windowHandle(), button, {}, pos);
        QCoreApplication::processEvents();
    }

    Probe keyboard;
    Probe other;
    os::SharedBlock block;
};

TEST_F(KeyboardHookTest, PressesOnTheKeyboardWindowBecomeHookMessagesOnly)
{
    StartHook();
    StartHook(); // a second start adds nothing
    click(&keyboard, Qt::LeftButton, QPoint(10, 20));
    click(&keyboard, Qt::RightButton, QPoint(30, 40));
    const QPoint g1 = keyboard.mapToGlobal(QPoint(10, 20));
    const QPoint g2 = keyboard.mapToGlobal(QPoint(30, 40));
    const QList<std::pair<quint32, QPoint>> expected = {
        {513, g1}, {514, g1}, {516, g2}, {517, g2}};
    EXPECT_EQ(keyboard.messages, expected);
    EXPECT_EQ(keyboard.presses, 0);

    keyboard.messages.clear();
    QTest::mouseDClick(keyboard.windowHandle(), Qt::LeftButton, {}, QPoint(10, 20));
    QCoreApplication::processEvents();
    const QList<std::pair<quint32, QPoint>> twice = {{513, g1}, {514, g1}, {513, g1}, {514, g1}};
    EXPECT_EQ(keyboard.messages, twice);

    click(&other, Qt::LeftButton, QPoint(5, 5)); // another window is left alone
    EXPECT_EQ(other.presses, 1);
    EXPECT_TRUE(other.messages.isEmpty());

    StopHook();
    keyboard.messages.clear();
    click(&keyboard, Qt::LeftButton, QPoint(10, 20));
    EXPECT_TRUE(keyboard.messages.isEmpty());
    EXPECT_EQ(keyboard.presses, 1);
}

TEST_F(KeyboardHookTest, NoIdInTheBlockTakesNothing)
{
    block.write(QByteArray(4, '\0'));
    StartHook();
    click(&keyboard, Qt::LeftButton, QPoint(10, 20));
    EXPECT_TRUE(keyboard.messages.isEmpty());
    EXPECT_EQ(keyboard.presses, 1);
}

TEST(KeyboardHookPoint, ScreenPointPacksXHighYLow)
{
    const struct { QPoint p; quint32 lParam; } cases[] = {
        {{0, 0}, 0x00000000u}, {{1023, 767}, 0x03FF02FFu}, {{-5, 10}, 0xFFFB000Au}, {{10, -1}, 0x000AFFFFu},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(quint32(mkbd::pointToLParam(c.p)), c.lParam);
        EXPECT_EQ(mkbd::lParamToPoint(qint32(c.lParam)), c.p);
    }
}

} // namespace
