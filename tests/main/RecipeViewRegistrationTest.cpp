// The menu entry of the recipe view opens the recipe view.

#include "production/U1307_RECIPYVIEW.h"
#include "shell/MenuTags.h"
#include "shell/ScreenRegistry.h"

#include <gtest/gtest.h>

#include <memory>

TEST(RecipeViewRegistration, MenuTagOpensTheRecipeViewAndSetsItsGlobal)
{
    RegisterWorkScreens();
    std::unique_ptr<TWorkScreen> screen(CreateScreen(MenuTag::RecipeView));
    ASSERT_NE(qobject_cast<TF1307_RECIPYVIEW *>(screen.get()), nullptr);
    EXPECT_FALSE(screen->IsEntryScreen());
    SetScreenInstance(MenuTag::RecipeView, screen.get());
    EXPECT_EQ(F1307_RECIPYVIEW, screen.get());
    SetScreenInstance(MenuTag::RecipeView, nullptr);
    EXPECT_EQ(F1307_RECIPYVIEW, nullptr);
}
