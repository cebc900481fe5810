#include "app/UiStates.h"

#include <gtest/gtest.h>

// Whether each state 0, 1, 2, 3 lets the command run: its entry and its menu.
TEST(UiStates, EachStateEnablesItsCommands) {
    using U = UiStates;
    const struct {
        U::Command command;
        const char* states;
    } table[] = {
        {U::kSearchMenu, "1100"},  {U::kViewMenu, "1100"},     {U::kMonitorMenu, "1110"},
        {U::kHelpMenu, "1110"},    {U::kOpen, "1100"},         {U::kSave, "1101"},
        {U::kOptionReset, "1100"}, {U::kPrint, "1100"},        {U::kExportImage, "1100"},
        {U::kExit, "1111"},        {U::kFind, "1100"},         {U::kFindNext, "1100"},
        {U::kBatchSearch, "1100"}, {U::kNumberSearch, "1100"}, {U::kGotoIndex, "1100"},
        {U::kDetail, "1100"},      {U::kToolBar, "1100"},      {U::kDisplayOptions, "1100"},
        {U::kMonitorStart, "1100"}, {U::kMonitorStop, "0010"}, {U::kInfo, "1110"},
        {U::kMonitorOptions, "1100"}, {U::kAbout, "1110"},
    };
    static_assert(sizeof table / sizeof table[0] == U::kCommands);
    for (const auto& row : table)
        for (int state = 0; state < U::kStates; ++state)
            EXPECT_EQ(U::Enables(state, row.command), row.states[state] == '1')
                << "command " << row.command << " state " << state;
    // An entry of a disabled menu keeps its own flag; the menu stops it.
    EXPECT_TRUE(U::EntryEnabled(U::kMonitoring, U::kFind));
    EXPECT_FALSE(U::EntryEnabled(U::kSystemFaulted, U::kMonitorStart));
    // States and commands outside the table enable nothing.
    for (int c = 0; c < U::kCommands; ++c)
        EXPECT_FALSE(U::Enables(-1, U::Command(c)) || U::Enables(U::kStates, U::Command(c))) << "command " << c;
    EXPECT_FALSE(U::Enables(U::kConnected, U::kCommands));
}
