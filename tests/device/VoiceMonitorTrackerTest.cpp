#include "device/VoiceMonitorTracker.h"

#include <gtest/gtest.h>

namespace {

VoiceMonitorTracker::Lamps Busy(std::initializer_list<int> tx, std::initializer_list<int> rx = {}) {
    VoiceMonitorTracker::Lamps lamps{};
    for (int c : tx) lamps[0][c - 1] = true;
    for (int c : rx) lamps[1][c - 1] = true;
    return lamps;
}

}  // namespace

TEST(VoiceMonitorTracker, FollowsTheNewestChannelAndFallsBackOnRelease) {
    VoiceMonitorTracker t;
    t.Reset();
    t.Update(Busy({3}));
    EXPECT_TRUE(t.TakeChanged());
    EXPECT_FALSE(t.TakeChanged());  // cleared by reading
    EXPECT_EQ(t.MostRecent(0), 3);
    t.Update(Busy({3, 7}));
    EXPECT_EQ(t.MostRecent(0), 7);
    t.Update(Busy({3}));
    EXPECT_TRUE(t.TakeChanged());
    EXPECT_EQ(t.MostRecent(0), 3);
    t.Update(Busy({}));
    EXPECT_EQ(t.MostRecent(0), 0);
    EXPECT_EQ(t.MostRecent(1), 0);
}

TEST(VoiceMonitorTracker, KeepsDirectionsApartAndIgnoresSteadyLamps) {
    VoiceMonitorTracker t;
    t.Update(Busy({1}, {20}));
    EXPECT_EQ(t.MostRecent(0), 1);
    EXPECT_EQ(t.MostRecent(1), 20);
    t.TakeChanged();
    t.Update(Busy({1}, {20}));
    EXPECT_FALSE(t.TakeChanged());
    // Several channels seized in one update: the higher channel is seen last.
    t.Update(Busy({1, 4, 9}, {20}));
    EXPECT_EQ(t.MostRecent(0), 9);
    EXPECT_EQ(t.Recency(0)[1], 4);
    EXPECT_EQ(t.Recency(0)[2], 1);
    // Releasing a middle entry closes the gap.
    t.Update(Busy({1, 9}, {20}));
    EXPECT_EQ(t.Recency(0)[0], 9);
    EXPECT_EQ(t.Recency(0)[1], 1);
    EXPECT_EQ(t.Recency(0)[2], 0);
    t.Reset();
    EXPECT_EQ(t.MostRecent(0), 0);
    t.Update(Busy({1, 9}, {20}));  // after a reset every busy lamp counts as new
    EXPECT_TRUE(t.TakeChanged());
}

TEST(VoiceMonitorTracker, AllChannelsBusyFillsTheListInOrder) {
    VoiceMonitorTracker t;
    VoiceMonitorTracker::Lamps all{};
    for (auto& b : all[0]) b = true;
    t.Update(all);
    for (int i = 0; i < 23; ++i) EXPECT_EQ(t.Recency(0)[i], 23 - i);
}
