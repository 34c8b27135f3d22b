#pragma once
// Tags of the scroll menu's entries that other code names (a screen's own
// Tag, the screen a sign-in opens, the screens the menu and the runner treat
// apart). The catalogue of every entry is in ScreenRegistry.h.

namespace MenuTag {
constexpr int RegOrder = 501301;   // pattern order entry, opened by a sign-in
constexpr int Warehouse = 501302;
constexpr int Produce = 501303;
constexpr int Deliver = 501304;
constexpr int TastePresent = 501305;
constexpr int TwoMaterialDisuse = 501306;
constexpr int StockDetail = 501307;  // the document history
constexpr int JobOrder = 501308;
constexpr int ProductDailyReport = 501309;
constexpr int DailyProductSum = 501310;
constexpr int ItemProductSum = 501311;
constexpr int ProductLedger = 501312;
constexpr int MaterialLedger = 501313;
constexpr int RecipeView = 501314; // closes the on-screen keyboard when left
constexpr int TimeClock = 501315;  // receives the sign-in row when opened
constexpr int NormalStock = 501317;
} // namespace MenuTag
