#pragma once
// Driving the modal pickers an entry screen opens, in the screen tests:
//
//   inPicker<TF1301_WorkDirections>(screen, TItemEntryScreen::TagReload, [](auto &list) {
//       clickButton(child(list, "btn_chulgoStockHedsearch"));
//       ...
//   });
//
// `act` runs once the picker's modal loop runs; a picker still open after it
// is closed with 7, so a failed step never leaves the test waiting.

#include "Components/MirelComp/MirelImgBtn.h"
#include "ShellTestUtil.h"

#include <gtest/gtest.h>

#include <functional>

// A control of a screen or picker by its component name.
template <typename T = TMirelImgBtn>
T *child(QWidget &w, const char *name)
{
    T *c = w.findChild<T *>(QLatin1String(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

// Runs the picker the screen opens for the menu Tag `tag`; `act` drives it while shown.
template <typename Picker, typename Screen>
void inPicker(Screen &s, int tag, std::function<void(Picker &)> act)
{
    whenLoopRuns([&s, act] {
        auto *picker = s.template findChild<Picker *>();
        ASSERT_NE(picker, nullptr);
        act(*picker);
        if (picker->isVisible())
            picker->done(7);
    });
    s.btn_MenuClick(tag);
}
