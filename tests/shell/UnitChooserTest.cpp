#include "ShellTestUtil.h"

#include "shell/U405_Dialog.h"
#include "ui_U405_Dialog.h"

#include <gtest/gtest.h>

namespace {

TEST(UnitChooserTest, RightButtonReturnsOneAndLeftButtonSix)
{
    const struct {
        const char *press;
        int result;
        const char *unit;
    } cases[] = {{"MirelImg_ok", 1, "BOX"}, {"MirelImg_yes", 6, "EA"}};

    for (const auto &c : cases) {
        SCOPED_TRACE(c.press);
        TF405_Dialog dlg;
        dlg.form().MirelImg_ok->setCaption("BOX");
        dlg.form().MirelImg_yes->setCaption("EA");
        // The large unit stands on the right, the middle unit on the left.
        EXPECT_EQ(dlg.form().MirelImg_ok->geometry(), QRect(211, 120, 89, 72));
        EXPECT_EQ(dlg.form().MirelImg_yes->geometry(), QRect(43, 120, 89, 72));

        auto *pressed = dlg.findChild<TMirelImgBtn *>(c.press);
        ASSERT_NE(pressed, nullptr);
        whenLoopRuns([&] { clickButton(pressed); });
        EXPECT_EQ(dlg.exec(), c.result);
        EXPECT_EQ(pressed->Caption(), c.unit);
        // Showing it changes nothing else.
        EXPECT_EQ(dlg.form().MirelImg_ok->Caption(), "BOX");
        EXPECT_EQ(dlg.form().MirelImg_yes->Caption(), "EA");
    }
}

TEST(UnitChooserTest, CentredOnItsOwnerWindow)
{
    QWidget owner;
    owner.setGeometry(100, 50, 800, 600);
    owner.show();
    TF405_Dialog dlg(&owner);
    whenLoopRuns([&] {
        EXPECT_EQ(dlg.frameGeometry().center(), owner.frameGeometry().center());
        dlg.done(0);
    });
    EXPECT_EQ(dlg.exec(), 0);
}

} // namespace
