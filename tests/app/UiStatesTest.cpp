#include "app/UiStates.h"

#include <gtest/gtest.h>

// Out of range, nothing is enabled: the table is never read outside.
TEST(UiStates, StatesAndCommandsOutOfRangeEnableNothing) {
    for (int state : {-1, UiStates::kStates}) {
        EXPECT_FALSE(UiStates::EntryEnabled(state, UiStates::kExit)) << state;
        EXPECT_FALSE(UiStates::Enables(state, UiStates::kExit)) << state;
    }
    EXPECT_FALSE(UiStates::EntryEnabled(UiStates::kNoDevice, UiStates::kCommands));
}
