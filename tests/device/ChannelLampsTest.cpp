#include "device/ChannelLamps.h"

#include <initializer_list>

#include <gtest/gtest.h>

namespace {

using L = ChannelLamps;

// Both lines in order, the given B channels busy.
BChannelStatus Busy(std::initializer_list<int> tx, std::initializer_list<int> rx = {}) {
    BChannelStatus s;
    for (auto& d : s.direction) d.lineNormal = true;
    for (int c : tx) s.direction[0].bChannel[c - 1] = true;
    for (int c : rx) s.direction[1].bChannel[c - 1] = true;
    return s;
}

// One tick of the automatic voice monitor whose command was sent.
L::VoiceCommand Auto(L& lamps, const BChannelStatus& status) {
    lamps.Repaint(status);
    const L::VoiceCommand c = lamps.AutoVoiceMonitor();
    if (c.send) lamps.VoiceCommandDone(c, true);
    return c;
}

void ExpectCommand(const L::VoiceCommand& c, int tx, int rx) {
    EXPECT_TRUE(c.send);
    EXPECT_EQ(c.tx, tx);
    EXPECT_EQ(c.rx, rx);
}

}  // namespace

TEST(ChannelLamps, ALineFaultTakesTheBLampsButNotTheDLamp) {
    L lamps;
    EXPECT_EQ(lamps.BLamp(0, 0), L::kUnknown);  // nothing shown before the first status
    BChannelStatus s = Busy({1, 23}, {2});
    s.direction[0].dChannel = true;
    s.direction[1].dChannel = true;
    s.direction[1].lineNormal = false;
    lamps.Repaint(s);
    EXPECT_EQ(lamps.BLamp(0, 0), L::kActive);
    EXPECT_EQ(lamps.BLamp(0, 1), L::kInactive);
    EXPECT_EQ(lamps.BLamp(0, 22), L::kActive);
    EXPECT_EQ(lamps.DLamp(0), L::kActive);
    for (int j = 0; j < L::kChannels; ++j) EXPECT_EQ(lamps.BLamp(1, j), L::kLineFault) << j;
    EXPECT_EQ(lamps.DLamp(1), L::kActive);
    s.direction[0].dChannel = false;
    lamps.Repaint(s);
    EXPECT_EQ(lamps.DLamp(0), L::kInactive);
}

TEST(ChannelLamps, AutomaticSelectionFollowsTheNewestSeizedChannel) {
    L lamps;
    ExpectCommand(Auto(lamps, Busy({3})), 3, 0);
    EXPECT_EQ(lamps.SelectedVoice(L::kTx), 2);
    EXPECT_FALSE(Auto(lamps, Busy({3})).send);  // nothing changed, nothing sent
    lamps.Repaint(Busy({3, 7}));
    const L::VoiceCommand c = lamps.AutoVoiceMonitor();
    ExpectCommand(c, 7, 0);
    EXPECT_EQ(lamps.SelectedVoice(L::kTx), -1);  // cleared until it was sent
    lamps.VoiceCommandDone(c, true);
    EXPECT_EQ(lamps.VoiceLamp(L::kTx, 6), L::kActive);
    EXPECT_EQ(lamps.VoiceLamp(L::kTx, 2), L::kInactive);
    ExpectCommand(Auto(lamps, Busy({3})), 3, 0);  // back to the one still busy
    ExpectCommand(Auto(lamps, Busy({})), 0, 0);
    EXPECT_EQ(lamps.SelectedVoice(L::kTx), -1);
    EXPECT_EQ(lamps.SelectedVoice(L::kRx), -1);
    // A line fault releases the busy channels too.
    ExpectCommand(Auto(lamps, Busy({5}, {9})), 5, 9);
    BChannelStatus fault = Busy({5}, {9});
    fault.direction[0].lineNormal = false;
    ExpectCommand(Auto(lamps, fault), 0, 9);
    // A command that could not be sent shows nothing selected.
    lamps.Repaint(Busy({4}, {9}));
    lamps.VoiceCommandDone(lamps.AutoVoiceMonitor(), false);
    EXPECT_EQ(lamps.SelectedVoice(L::kTx), -1);
    EXPECT_EQ(lamps.SelectedVoice(L::kRx), -1);
}

TEST(ChannelLamps, TheTrackerKeepsTheOrderOfSeizure) {
    L lamps;
    Auto(lamps, Busy({1}, {20}));
    // Several seized at once: the higher channel counts as the newest.
    ExpectCommand(Auto(lamps, Busy({1, 4, 9}, {20})), 9, 20);
    EXPECT_EQ(lamps.Tracker().Recency(L::kTx)[1], 4);
    EXPECT_EQ(lamps.Tracker().Recency(L::kTx)[2], 1);
    // A middle release closes the gap.
    Auto(lamps, Busy({1, 9}, {20}));
    EXPECT_EQ(lamps.Tracker().Recency(L::kTx)[0], 9);
    EXPECT_EQ(lamps.Tracker().Recency(L::kTx)[1], 1);
    EXPECT_EQ(lamps.Tracker().Recency(L::kTx)[2], 0);
    // After a reset every busy channel is new again.
    lamps.ResetTracker();
    EXPECT_EQ(lamps.Tracker().MostRecent(L::kTx), 0);
    ExpectCommand(Auto(lamps, Busy({1, 9}, {20})), 9, 20);
}

TEST(ChannelLamps, ManualClicksMoveAndClearTheSelection) {
    L lamps;
    ExpectCommand(lamps.VoiceLampClicked(4, L::kTx, false), 5, 0);
    ExpectCommand(lamps.VoiceLampClicked(10, L::kRx, false), 5, 11);
    ExpectCommand(lamps.VoiceLampClicked(8, L::kTx, false), 9, 11);  // moves
    EXPECT_EQ(lamps.VoiceLamp(L::kTx, 4), L::kInactive);
    ExpectCommand(lamps.VoiceLampClicked(8, L::kTx, false), 0, 11);  // the lit one clears its row
    EXPECT_EQ(lamps.SelectedVoice(L::kTx), -1);
    EXPECT_EQ(lamps.SelectedVoice(L::kRx), 10);
    // Automatic mode and lamps outside 0..22 ignore clicks.
    EXPECT_FALSE(lamps.VoiceLampClicked(3, L::kTx, true).send);
    EXPECT_FALSE(lamps.VoiceLampClicked(23, L::kTx, false).send);
    EXPECT_FALSE(lamps.VoiceLampClicked(-1, L::kTx, false).send);
    EXPECT_EQ(lamps.SelectedVoice(L::kTx), -1);
    // Not sent: nothing selected in either row.
    lamps.VoiceCommandDone(lamps.VoiceLampClicked(2, L::kTx, false), false);
    EXPECT_EQ(lamps.SelectedVoice(L::kTx), -1);
    EXPECT_EQ(lamps.SelectedVoice(L::kRx), -1);
}
