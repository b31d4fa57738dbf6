// What a chooser insertion does beyond the text, which no session output shows: Text1
// becomes first in the tab order, and the focus stays until the chooser loses it.
#include <gtest/gtest.h>

#include "loaded.hpp"

namespace comet {
namespace {

TEST(Combo1Click, MakesText1FirstInTheTabOrderWithoutMovingTheFocus) {
    Loaded s;
    userChoosesItem(s.wb, 3);
    EXPECT_EQ(s.display.tabOrderCount, 1);
    EXPECT_EQ(s.display.focusCount, 0);
    Combo1_LostFocus(s.wb);
    EXPECT_EQ(s.display.focusCount, 1);
}

}  // namespace
}  // namespace comet
