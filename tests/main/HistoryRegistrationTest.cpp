// The menu entry of the document history opens the history screen.

#include "inquiries/U656_StockDetail.h"
#include "shell/MenuTags.h"
#include "shell/ScreenRegistry.h"

#include <gtest/gtest.h>

#include <memory>

TEST(HistoryRegistration, MenuTagOpensTheHistoryScreenAndSetsItsGlobal)
{
    RegisterWorkScreens();
    std::unique_ptr<TWorkScreen> history(CreateScreen(MenuTag::StockDetail));
    ASSERT_NE(qobject_cast<TF656_StockDetail *>(history.get()), nullptr);
    EXPECT_EQ(history->MenuTag(), 501307);
    EXPECT_FALSE(history->IsEntryScreen());
    SetScreenInstance(MenuTag::StockDetail, history.get());
    EXPECT_EQ(F656_StockDetail, history.get());
    SetScreenInstance(MenuTag::StockDetail, nullptr);
    EXPECT_EQ(F656_StockDetail, nullptr);
}
