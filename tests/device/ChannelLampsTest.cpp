#include "device/ChannelLamps.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

using L = ChannelLamps;

// Both lines in order, the given B channels (1..23) busy.
BChannelStatus Busy(std::initializer_list<int> tx, std::initializer_list<int> rx = {}) {
    BChannelStatus s;
    for (auto& d : s.direction) d.lineNormal = true;
    for (int c : tx) s.direction[0].bChannel[c - 1] = true;
    for (int c : rx) s.direction[1].bChannel[c - 1] = true;
    return s;
}

// A row's 23 B lamps, then its D lamp: unknown, inactive, Active, Fault.
std::string Row(const L& lamps, int row) {
    std::string s;
    for (int j = 0; j < L::kChannels; ++j) s += "?iAF"[lamps.BLamp(row, j)];
    return s + " " + "?iAF"[lamps.DLamp(row)];
}

// A voice command as "tx,rx" ("-" when none is to be sent), then the
// selection shown (index 0..22 per row) once it was sent or not.
std::string Sent(L& lamps, const L::VoiceCommand& c, bool sent = true) {
    if (!c.send) return "-";
    lamps.VoiceCommandDone(c, sent);
    return std::to_string(c.tx) + "," + std::to_string(c.rx) + " shown " +
           std::to_string(lamps.SelectedVoice(L::kTx)) + "," + std::to_string(lamps.SelectedVoice(L::kRx));
}

// One tick of the automatic voice monitor.
std::string Auto(L& lamps, const BChannelStatus& status, bool sent = true) {
    lamps.Repaint(status);
    return Sent(lamps, lamps.AutoVoiceMonitor(), sent);
}

}  // namespace

TEST(ChannelLamps, ALineFaultTakesTheBLampsButNotTheDLamp) {
    L lamps;
    EXPECT_EQ(Row(lamps, 0), "??????????????????????? ?");  // nothing shown before the first status
    BChannelStatus s = Busy({1, 23}, {2});
    s.direction[1].dChannel = true;
    s.direction[1].lineNormal = false;
    lamps.Repaint(s);
    EXPECT_EQ(Row(lamps, 0) + " / " + Row(lamps, 1), "AiiiiiiiiiiiiiiiiiiiiiA i / FFFFFFFFFFFFFFFFFFFFFFF A");
}

TEST(ChannelLamps, AutomaticSelectionFollowsTheNewestSeizedChannel) {
    L lamps;
    EXPECT_EQ(Auto(lamps, Busy({3})), "3,0 shown 2,-1");
    EXPECT_EQ(Auto(lamps, Busy({3})), "-");  // nothing changed, nothing sent
    EXPECT_EQ(Auto(lamps, Busy({3, 7})), "7,0 shown 6,-1");
    EXPECT_EQ(Auto(lamps, Busy({3})), "3,0 shown 2,-1");  // back to the one still busy
    EXPECT_EQ(Auto(lamps, Busy({})), "0,0 shown -1,-1");
    EXPECT_EQ(Auto(lamps, Busy({5}, {9})), "5,9 shown 4,8");
    BChannelStatus fault = Busy({5}, {9});
    fault.direction[0].lineNormal = false;  // a line fault releases the busy channels
    EXPECT_EQ(Auto(lamps, fault), "0,9 shown -1,8");
    EXPECT_EQ(Auto(lamps, Busy({4}, {9}), false), "4,9 shown -1,-1");  // not sent: nothing selected
    // Seized at once, the higher channel counts as the newest; a release
    // falls back in the order of seizure.
    EXPECT_EQ(Auto(lamps, Busy({4, 1, 9}, {9})), "9,9 shown 8,8");
    EXPECT_EQ(Auto(lamps, Busy({4, 1}, {9})), "1,9 shown 0,8");
    EXPECT_EQ(Auto(lamps, Busy({4}, {9})), "4,9 shown 3,8");
    lamps.ResetTracker();  // every busy channel is new again
    EXPECT_EQ(Auto(lamps, Busy({4, 9}, {9})), "9,9 shown 8,8");
    // All 23 seized, then all released: nothing of the full order is left.
    L full;
    BChannelStatus all = Busy({});
    for (bool& busy : all.direction[0].bChannel) busy = true;
    EXPECT_EQ(Auto(full, all), "23,0 shown 22,-1");
    EXPECT_EQ(Auto(full, Busy({})), "0,0 shown -1,-1");
}

TEST(ChannelLamps, ManualClicksMoveAndClearTheSelection) {
    L lamps;
    EXPECT_EQ(Sent(lamps, lamps.VoiceLampClicked(4, L::kTx, false)), "5,0 shown 4,-1");
    EXPECT_EQ(Sent(lamps, lamps.VoiceLampClicked(10, L::kRx, false)), "5,11 shown 4,10");
    EXPECT_EQ(Sent(lamps, lamps.VoiceLampClicked(8, L::kTx, false)), "9,11 shown 8,10");  // moves
    EXPECT_EQ(Sent(lamps, lamps.VoiceLampClicked(8, L::kTx, false)), "0,11 shown -1,10");  // the lit one clears
    // Automatic mode and lamps outside 0..22 ignore clicks.
    for (auto [lamp, automatic] : {std::pair{3, true}, {23, false}, {-1, false}})
        EXPECT_EQ(Sent(lamps, lamps.VoiceLampClicked(lamp, L::kTx, automatic)), "-") << lamp;
    EXPECT_EQ(Sent(lamps, lamps.VoiceLampClicked(2, L::kTx, false), false), "3,11 shown -1,-1");
}
