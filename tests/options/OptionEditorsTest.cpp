// The editing rules behind the option dialogs: the column lists, the colour
// and split mappings, the clock text and the monitor options.
#include <algorithm>
#include <tuple>

#include <gtest/gtest.h>

#include "options/ClockText.h"
#include "options/ColourTable.h"
#include "options/DisplayOptionsEditor.h"
#include "options/MonitorOptionsEditor.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

namespace {

using Ids = std::vector<int32_t>;

// The stored order up to its first -1.
Ids Stored(const ColumnListEditor& editor) {
    DisplayOptions r;
    editor.Store(r);
    return Ids(r.columnOrder.begin(), std::find(r.columnOrder.begin(), r.columnOrder.end(), -1));
}

}  // namespace

TEST(ColumnListEditor, LoadsInByteOrderSkippingUnknownAndRepeatedIdsUpTo28Rows) {
    const auto Names = [](auto... utf8) { return std::vector<std::string>{Sjis(utf8)...}; };
    ColumnListEditor editor;
    EXPECT_EQ(editor.Available(), Names("C/R", "CRC", "INDEX", "SAPI", "TEI", "コマンド", "タイムスタンプ",
                                         "チャネル番号", "データ", "呼番号", "着番号", "発番号", "ﾚｲﾔ3ﾒｯｾｰｼﾞ"));
    editor.Load(Columns({12, 13, 13, 99, 2, 12, -2, 11}));
    EXPECT_EQ(editor.Shown(), Names("着番号", "改行", "改行", "INDEX", "発番号"));
    // Nothing chosen shows every column in id order.
    editor.Load(Columns({}));
    EXPECT_EQ(Stored(editor), (Ids{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));

    // 28 markers read of 50; each column added after them, with a marker
    // behind it: 54 rows, of which the 50 slots take the first 50.
    DisplayOptions markers;
    markers.columnOrder.fill(DisplayOptions::kLineBreakColumn);
    editor.Load(markers);
    while (!editor.Available().empty()) {
        editor.SelectAvailable(0);
        editor.Add();
        editor.AddLineBreak();
    }
    ASSERT_EQ(editor.Shown().size(), 54u);
    EXPECT_EQ(editor.AvailableSelection(), -1);  // nothing left to select
    Ids want(28, 13);
    for (int32_t id : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 12}) want.insert(want.end(), {id, 13});
    EXPECT_EQ(Stored(editor), want);
}

TEST(ColumnListEditor, AddLineBreakAndRemoveKeepMarkersApart) {
    struct Step {
        void (ColumnListEditor::*action)();
        int available, shown;  // selections before the action
        Ids after;
        int availableAfter, shownAfter;
    };
    const Step steps[] = {
        // INDEX 改行 タイムスタンプ 改行 データ: the only column between markers goes.
        {&ColumnListEditor::Remove, -1, 2, {2, 13, 8}, -1, 2},
        {&ColumnListEditor::AddLineBreak, -1, 0, {2, 13, 8}, -1, 0},  // marker below
        {&ColumnListEditor::AddLineBreak, -1, 1, {2, 13, 8}, -1, 1},  // on a marker
        {&ColumnListEditor::Remove, -1, 1, {2, 8}, -1, 1},            // a marker is no column
        {&ColumnListEditor::AddLineBreak, -1, -1, {2, 8, 13}, -1, -1},
        {&ColumnListEditor::AddLineBreak, -1, 0, {2, 13, 8, 13}, -1, 0},
        {&ColumnListEditor::Add, 0, -1, {2, 13, 8, 13, 0}, 0, -1},     // C/R to the end
        {&ColumnListEditor::Add, 9, 0, {2, 9, 13, 8, 13, 0}, 8, 0},    // the last, ﾚｲﾔ3ﾒｯｾｰｼﾞ, below INDEX
        {&ColumnListEditor::Remove, 3, 5, {2, 9, 13, 8, 13}, 4, 4},    // C/R sorts in before the selection
        {&ColumnListEditor::Remove, -1, 3, {2, 9, 13}, -1, 2},         // two markers met: one left
    };
    ColumnListEditor editor;
    editor.Load(Columns({2, 13, 6, 13, 8}));
    for (size_t i = 0; i < std::size(steps); ++i) {
        editor.SelectAvailable(steps[i].available);
        editor.SelectShown(steps[i].shown);
        (editor.*steps[i].action)();
        EXPECT_EQ(std::tuple(Stored(editor), editor.AvailableSelection(), editor.ShownSelection()),
                  std::tuple(steps[i].after, steps[i].availableAfter, steps[i].shownAfter)) << "step " << i;
    }
    // A loaded run of three markers: the pass takes out the second only.
    editor.Load(Columns({2, 13, 13, 13, 8}));
    editor.SelectShown(4);
    editor.Remove();
    EXPECT_EQ(Stored(editor), (Ids{2, 13, 13}));
}

TEST(OptionEditors, ColoursSplitsAndClockTextsOutsideTheirFormsAreRefused) {
    const std::pair<uint32_t, int> colours[] = {{0x000000, 0}, {0x800080, 5}, {0x808000, 6}, {0x0000FF, 9}, {0xFF0000, 11},
                                                {0xFFFF00, 13}, {0xFFFFFF, 14}, {0x123456, 14}, {0x01000000, 14}};
    for (auto [value, index] : colours) EXPECT_EQ(ColourTable::IndexOf(value), index) << std::hex << value;
    DisplayOptionsEditor editor;  // a record through the editor: an unknown colour comes back white
    DisplayOptions record = Columns({2, 13, 8}), stored;
    record.titleColour = 0x800080;
    record.errorColour = 0x123456;
    editor.Load(record);
    editor.Store(stored);
    record.errorColour = 0xFFFFFF;
    EXPECT_EQ(stored, record);
    const std::pair<int8_t, int> splits[] = {{0, 0}, {8, 1}, {16, 2}, {32, 3}, {4, 0}, {-16, 0}};
    for (auto [value, index] : splits) EXPECT_EQ(DisplayOptionsEditor::SplitIndex(value), index) << int(value);

    const std::pair<const char*, int> texts[] = {  // hours, or -1 refused
        {"00:00:00", 0}, {"25:00:00", 25}, {"99:59:59", 99}, {"12:60:00", -1}, {"12:00:60", -1}, {"1:00:00", -1},
        {"12.00.00", -1}, {"12:00:0", -1}, {"12:00:000", -1}, {"", -1}, {"1a:00:00", -1}, {" 1:00:00", -1}};
    TimeStamp time;
    for (auto [text, hours] : texts) EXPECT_EQ(ClockText::Parse(text, time) ? time.Hours() : -1, hours) << text;
}

TEST(MonitorOptionsEditor, PortByNumberLogFileOnlyWithTheRingBufferAndTheClockRequestTakenOnce) {
    MonitorOptionsEditor editor({1, 3, 12});
    editor.Load({2, 1, 1, 1, 0});  // COM3, all on
    EXPECT_EQ(std::tuple(editor.PortSelection(), editor.VoiceAutomatic(), editor.RingBuffer(), editor.LogFile()),
              std::tuple(1, true, true, true));
    editor.Load({4, 0, 0, 1, 0});  // COM5 is not listed
    EXPECT_EQ(std::tuple(editor.PortSelection(), editor.VoiceAutomatic(), editor.RingBuffer(), editor.LogFile()),
              std::tuple(-1, false, false, true));
    MonitorOptions stored{4, 1, 1, 1, 0};
    editor.Store(stored);
    EXPECT_EQ(stored, (MonitorOptions{4, 0, 0, 0, 0}));
    editor.SelectPort(2);
    editor.SetRingBuffer(true);
    editor.Store(stored);
    EXPECT_EQ(stored, (MonitorOptions{11, 0, 1, 1, 0}));

    TimeStamp time;
    EXPECT_FALSE(editor.TakeClockRequest(time));
    ASSERT_TRUE(editor.RequestClock("12:34:56"));
    ASSERT_TRUE(editor.TakeClockRequest(time));
    EXPECT_EQ(time.FormatClock(), "12:34:56");
    EXPECT_FALSE(editor.TakeClockRequest(time));
    ASSERT_TRUE(editor.RequestClock("01:00:00"));
    EXPECT_FALSE(editor.RequestClock("1:00"));  // a bad text withdraws the request
    EXPECT_FALSE(editor.TakeClockRequest(time));
}
