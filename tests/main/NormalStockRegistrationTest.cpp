// The menu entry of the branch stock status opens the branch stock screen.

#include "inquiries/U690_NormalStock.h"
#include "shell/MenuTags.h"
#include "shell/ScreenRegistry.h"

#include <gtest/gtest.h>

#include <memory>

TEST(NormalStockRegistration, MenuTagOpensTheBranchStockScreenAndSetsItsGlobal)
{
    RegisterWorkScreens();
    std::unique_ptr<TWorkScreen> screen(CreateScreen(MenuTag::NormalStock));
    ASSERT_NE(qobject_cast<TF690_NormalStock *>(screen.get()), nullptr);
    EXPECT_EQ(screen->MenuTag(), 501317);
    EXPECT_FALSE(screen->IsEntryScreen());
    SetScreenInstance(MenuTag::NormalStock, screen.get());
    EXPECT_EQ(F690_NormalStock, screen.get());
    SetScreenInstance(MenuTag::NormalStock, nullptr);
    EXPECT_EQ(F690_NormalStock, nullptr);
}
