// The menu entries of the two stock-out screens open those screens.

#include "documents/U1007_TwoMaterialDisuse.h"
#include "documents/U1009_TastePresent.h"
#include "shell/ScreenRegistry.h"

#include <gtest/gtest.h>

#include <memory>

TEST(StockOutRegistration, MenuTagsOpenTheStockOutScreensAndSetTheirGlobals)
{
    RegisterWorkScreens();
    std::unique_ptr<TWorkScreen> taste(CreateScreen(501305));
    std::unique_ptr<TWorkScreen> disuse(CreateScreen(501306));
    ASSERT_NE(qobject_cast<TF1009_TastePresent *>(taste.get()), nullptr);
    ASSERT_NE(qobject_cast<TF1007_TwoMaterialDisuse *>(disuse.get()), nullptr);
    EXPECT_EQ(taste->MenuTag(), 501305);
    EXPECT_TRUE(taste->IsEntryScreen());
    SetScreenInstance(501305, taste.get());
    SetScreenInstance(501306, disuse.get());
    EXPECT_EQ(F1009_TastePresent, taste.get());
    EXPECT_EQ(F1007_TwoMaterialDisuse, disuse.get());
    SetScreenInstance(501305, nullptr);
    SetScreenInstance(501306, nullptr);
    EXPECT_EQ(F1009_TastePresent, nullptr);
}
