// The menu entry of production entry opens production entry.

#include "production/U1003_Produce.h"
#include "shell/MenuTags.h"
#include "shell/ScreenRegistry.h"

#include <gtest/gtest.h>

#include <memory>

TEST(ProduceRegistration, MenuTagOpensProductionEntryAndSetsItsGlobal)
{
    RegisterWorkScreens();
    std::unique_ptr<TWorkScreen> screen(CreateScreen(MenuTag::Produce));
    ASSERT_NE(qobject_cast<TF1003_Produce *>(screen.get()), nullptr);
    EXPECT_TRUE(screen->IsEntryScreen());
    SetScreenInstance(MenuTag::Produce, screen.get());
    EXPECT_EQ(F1003_Produce, screen.get());
    SetScreenInstance(MenuTag::Produce, nullptr);
    EXPECT_EQ(F1003_Produce, nullptr);
}
