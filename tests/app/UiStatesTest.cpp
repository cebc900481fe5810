#include "app/UiStates.h"

#include <gtest/gtest.h>

// Out of range, nothing is enabled: the table is never read outside. The
// last state of the range still is one (終了 is never refused).
TEST(UiStates, StatesAndCommandsOutOfRangeEnableNothing) {
    EXPECT_TRUE(UiStates::Enables(UiStates::kStates - 1, UiStates::kExit));
    EXPECT_TRUE(UiStates::Enables(UiStates::kNoDevice, UiStates::kSearchMenu));  // the first of each
    for (int state : {-1, UiStates::kStates}) {
        EXPECT_FALSE(UiStates::EntryEnabled(state, UiStates::kExit)) << state;
        EXPECT_FALSE(UiStates::Enables(state, UiStates::kExit)) << state;
    }
    EXPECT_FALSE(UiStates::EntryEnabled(UiStates::kNoDevice, UiStates::kCommands));
}
