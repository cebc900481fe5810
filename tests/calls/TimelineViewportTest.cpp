// The timeline's view over its span (zoom, scroll, a live span, the scroll
// bar), its time axis, and the prefixes typed for the statistics.
#include <gtest/gtest.h>

#include <climits>

#include "calls/CallStatistics.h"
#include "calls/TimeAxis.h"
#include "calls/TimelineViewport.h"

TEST(TimelineViewport, ZoomsAroundAPointScrollsInsideAndFollowsALiveSpan) {
    TimelineViewport v;
    v.SetWidth(1000);
    v.SetSpan(1'000'000, 1'100'000);
    EXPECT_TRUE(v.Whole());
    EXPECT_EQ(v.FromMs(), 1'000'000);
    EXPECT_EQ(v.ToMs(), 1'100'000);
    EXPECT_EQ(v.XOf(1'050'000), 500);
    EXPECT_EQ(v.MsAt(250), 1'025'000);
    v.Zoom(4, 250);  // the time under x = 250 stays there
    EXPECT_EQ(v.FromMs(), 1'018'750);
    EXPECT_EQ(v.ToMs(), 1'043'750);
    EXPECT_EQ(v.MsAt(250), 1'025'000);
    v.Zoom(100, 0);
    EXPECT_EQ(v.ToMs() - v.FromMs(), TimelineViewport::kMinViewMs);
    v.ScrollPixels(-1e9);
    EXPECT_EQ(v.FromMs(), 1'000'000);
    v.Zoom(2, 0);  // narrowest already: stays
    v.ScrollPixels(500);
    EXPECT_EQ(v.FromMs(), 1'005'000);
    EXPECT_EQ(v.ToMs(), 1'015'000);

    // Live: a view in the middle keeps its place; at the end it follows; whole stays whole.
    v.SetSpan(1'000'000, 1'200'000);
    EXPECT_EQ(v.FromMs(), 1'005'000);
    v.End();
    v.SetSpan(1'000'000, 1'300'000);
    EXPECT_EQ(v.FromMs(), 1'290'000);
    EXPECT_EQ(v.ToMs(), 1'300'000);
    v.Zoom(0.001, 0);
    v.SetSpan(1'000'000, 1'400'000);
    EXPECT_TRUE(v.Whole());
    EXPECT_EQ(v.ToMs(), 1'400'000);

    // A month fits the scroll bar; its last value shows the end.
    v.SetSpan(0, 31 * TimeAxis::kDayMs + 7);
    v.Zoom(1000, 0);
    EXPECT_GT(v.ScrollMaximum(), 0);
    EXPECT_LT(v.ScrollMaximum(), INT_MAX);
    EXPECT_EQ(v.ScrollValue(), 0);
    v.SetScrollValue(v.ScrollMaximum() / 2);
    EXPECT_NEAR(double(v.FromMs()), (v.EndMs() - (v.ToMs() - v.FromMs())) / 2.0, 4.0);
    v.SetScrollValue(v.ScrollMaximum());
    EXPECT_EQ(v.ToMs(), v.EndMs());
}

TEST(TimeAxis, StepsLabelsAndDayChanges) {
    EXPECT_EQ(TimeAxis::StepMs(10, 60), 1'000);
    EXPECT_EQ(TimeAxis::StepMs(1'000, 60), 60'000);
    EXPECT_EQ(TimeAxis::StepMs(1'000, 61), 120'000);
    std::vector<TimeAxis::Tick> ticks = TimeAxis::Ticks(86'399'000, 86'402'000, 10, 100);
    ASSERT_EQ(ticks.size(), 4u);
    EXPECT_EQ(ticks[0].label, "23:59:59");
    EXPECT_EQ(ticks[0].day, 0);
    EXPECT_FALSE(ticks[0].dayChange);
    EXPECT_EQ(ticks[1].label, "00:00:00");
    EXPECT_EQ(ticks[1].day, 1);
    EXPECT_TRUE(ticks[1].dayChange);
    ticks = TimeAxis::Ticks(2 * TimeAxis::kDayMs - 1, 3 * TimeAxis::kDayMs + 1, 43'200'000 / 60.0, 60);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_EQ(ticks[0].label, "00:00");
    EXPECT_EQ(ticks[0].day, 2);
    EXPECT_TRUE(ticks[0].dayChange);
    EXPECT_EQ(ticks[1].label, "12:00");
    EXPECT_FALSE(ticks[1].dayChange);
    EXPECT_EQ(ticks[2].day, 3);
    EXPECT_TRUE(ticks[2].dayChange);
    EXPECT_TRUE(TimeAxis::Ticks(5, 5, 1, 1).empty());
    EXPECT_EQ(TimeAxis::Label(-1'000, true), "23:59:59");
}

TEST(CallStatistics, PrefixesAsTyped) {
    EXPECT_EQ(CallStatistics::PrefixesOf(" 03,06,,0120 03, "), (std::vector<std::string>{"03", "06", "0120"}));
    EXPECT_TRUE(CallStatistics::PrefixesOf("").empty());
}
