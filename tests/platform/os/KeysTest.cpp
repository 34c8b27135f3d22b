#include "platform/os/Keys.h"

#include <QApplication>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

class Keys : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (!QApplication::instance()) {
            static int argc = 1;
            static char name[] = "test_os";
            static char *argv[] = {name, nullptr};
            new QApplication(argc, argv); // lives for the whole test program
        }
    }

    void SetUp() override
    {
        os::ResetHeldModifiers();
        edit.show();
        QApplication::setActiveWindow(&edit);
        edit.setFocus();
        ASSERT_EQ(QApplication::focusWidget(), &edit);
    }

    void TearDown() override { os::ResetHeldModifiers(); }

    QLineEdit edit;
};

} // namespace

TEST_F(Keys, KeyPadStrokesEditTheFocusedField)
{
    for (int vk : {49, 190, 50, 8})
        KeyPress(vk);
    EXPECT_EQ(edit.text(), QStringLiteral("1."));
    for (int vk : {96 + 7, 110, 32})
        KeyPress(vk);
    EXPECT_EQ(edit.text(), QStringLiteral("1.7. "));
}

TEST_F(Keys, HeldShiftAndControlAreTrackedByTheLayer)
{
    KeyDown(16);
    EXPECT_EQ(os::HeldModifiers(), Qt::ShiftModifier);
    KeyPress(65);
    KeyPress(49);
    KeyUp(16);
    EXPECT_EQ(os::HeldModifiers(), Qt::NoModifier);
    KeyPress(65);
    EXPECT_EQ(edit.text(), QStringLiteral("A!a"));

    // Control held makes a shortcut, not a letter: Ctrl+A selects all.
    KeyDown(17);
    KeyPress(65);
    KeyUp(17);
    EXPECT_EQ(edit.selectedText(), QStringLiteral("A!a"));
    KeyPress(8);
    EXPECT_TRUE(edit.text().isEmpty());
}

TEST_F(Keys, UnmappedCodesAndNoFocusDoNothing)
{
    KeyPress(0xF6); // not a key of the layer
    EXPECT_TRUE(edit.text().isEmpty());
    edit.clearFocus();
    QApplication::setActiveWindow(nullptr);
    KeyPress(49);
    EXPECT_TRUE(edit.text().isEmpty());
}

TEST(KeyMap, VirtualKeysMapToQtKeysAndText)
{
    struct Case { int vk; Qt::KeyboardModifiers mods; int key; QString text; };
    const Case cases[] = {
        {48, Qt::NoModifier, Qt::Key_0, "0"},
        {57, Qt::ShiftModifier, Qt::Key_9, "("},
        {90, Qt::NoModifier, Qt::Key_Z, "z"},
        {90, Qt::ShiftModifier, Qt::Key_Z, "Z"},
        {90, Qt::ControlModifier, Qt::Key_Z, ""},
        {190, Qt::NoModifier, Qt::Key_Period, "."},
        {8, Qt::NoModifier, Qt::Key_Backspace, ""},
        {9, Qt::ShiftModifier, Qt::Key_Backtab, ""},
        {13, Qt::NoModifier, Qt::Key_Return, ""},
        {27, Qt::NoModifier, Qt::Key_Escape, ""},
        {32, Qt::NoModifier, Qt::Key_Space, " "},
        {16, Qt::NoModifier, Qt::Key_Shift, ""},
        {17, Qt::NoModifier, Qt::Key_Control, ""},
        {189, Qt::NoModifier, Qt::Key_Minus, "-"},
        {256 + 49, Qt::NoModifier, Qt::Key_1, "1"}, // an 8-bit code
        {0xF6, Qt::NoModifier, 0, ""},
    };
    for (const Case &c : cases) {
        const os::MappedKey m = os::MapVirtualKey(c.vk, c.mods);
        EXPECT_EQ(m.key, c.key) << c.vk;
        EXPECT_EQ(m.text, c.text) << c.vk;
    }
}
