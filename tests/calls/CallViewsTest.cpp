// What the call views are built from: the messages a call keeps and the
// restarts. One span of calls and two restarts from 23:00:00.000 across
// midnight serves them.
#include <gtest/gtest.h>

#include "calls/CallFeed.h"
#include "tests/calls/CallFrames.h"

using namespace testsupport;
using namespace callframes;

namespace {

constexpr int kT0 = 82'800'000;  // 23:00:00.000

FrameRecord Restart(const Bytes& elements, int ms, int index, Bytes callRef = {0x01, 0x00}, uint8_t type = 0x46) {
    return Stamped(Q931Frame(callRef, type, elements), ms, index);
}

// Call 1 (ch 1): answered, cleared by RX, never released. Call 2 (ch 1,
// from 500 to 1800: a collision): rung, cleared by TX. Call 3 (ch 2):
// refused. Call 4 (ch 2, from the ms call 3 ended): answered past midnight.
// Call 5 (ch 24): ongoing. Call 6: begun before the span. Then a restart of
// the interface and one of channel 2.
CallFeed& Span() {
    static CallFeed feed = [] {
        const std::pair<int, Step> steps[] = {
            {0, O(kSetup, Called("0312") + Channel(1))}, {100, D(kAlert)}, {300, D(kConnect)},
            {500, O(kSetup, Called("0399") + Channel(1), 2)}, {900, D(kAlert, {}, 2)}, {1300, D(kDisc, Cause(10, 16))},
            {1400, O(kRel)}, {1600, O(kDisc, Cause(0, 16), 2)}, {1700, D(kRel, {}, 2)}, {1800, O(kRelComp, {}, 2)},
            {2000, O(kSetup, Called("06") + Channel(2), 3)}, {2200, D(kRelComp, Cause(3, 17), 3)},
            {2200, O(kSetup, Called("0312") + Channel(2), 4)}, {2400, D(kAlert, {}, 4)}, {2500, D(kConnect, {}, 4)},
            {3'600'500, O(kDisc, Cause(2, 16), 4)}, {3'600'600, D(kRel, {}, 4)}, {3'600'700, O(kRelComp, {}, 4)},
            {3'601'000, O(kSetup, Called("1") + Channel(24), 5)}, {3'601'200, D(kAlert, {}, 6)},
            {3'601'700, D(kAlert, {}, 5)}};
        CallFeed f;
        int index = 0;
        for (const auto& [ms, step] : steps) f.Take(StepFrame(step, kT0 + ms, index++));
        f.Take(Restart({0x79, 0x01, 0x87}, kT0 + 3'602'000, index++));
        f.Take(Restart(Channel(2) + Bytes{0x79, 0x01, 0x80}, kT0 + 3'602'500, index++));
        return f;
    }();
    return feed;
}

}  // namespace

TEST(CallSteps, KeepsTheFirstAndLastMessagesOfALongCall) {
    // 100 messages 100 ms apart from 23:59:59.800: SETUP twice, 97 INFORMATION, a DISCONNECT with a cause.
    CallTracker tracker;
    for (int i = 0; i < 100; ++i)
        tracker.Add(StepFrame(i < 2 ? O(kSetup) : i < 99 ? O(kInfo) : D(kDisc, Cause(2, 16)), 86'399'800 + 100 * i, i));
    ASSERT_EQ(tracker.Count(), 1u);
    const CallSteps& steps = tracker.At(0).steps;
    ASSERT_TRUE(steps.Count() == 80 && steps.Omitted() == 20 && steps.Total() == 100);
    EXPECT_TRUE(steps[1].type == kSetup && steps[63].index == 63 && steps[64].index == 84 && steps[79].index == 99);
    EXPECT_TRUE(steps[0].Ms() == 86'399'800 && steps[79].Ms() == 86'409'700 && steps[79].Time().Format() == "00:00:09.700");
    EXPECT_TRUE(steps[79].side == FrameRecord::kRx && steps[79].cause == 16 && steps[79].location == 2 && !steps[78].HasCause());
}

TEST(RestartLog, KeepsEachRestartWithWhatItRestarts) {
    const FrameRecord frames[] = {
        Restart({0x79, 0x01, 0x86}, 0, 0), Restart(Channel(3) + Bytes{0x79, 0x01, 0x80}, 100, 1, {0x02, 0x80, 0x00}),
        Restart(Channel(3) + Bytes{0x79, 0x01, 0x87}, 200, 2), Restart(Ch({0x89}), 300, 3),
        Restart({}, 400, 4, {0x01, 0x00}, 0x4E), Restart({}, 500, 5, {0x01, 0x01}), Restart({}, 600, 6, {0x00}),
        Restart({}, 600, 6, {0x03, 0x00, 0x00, 0x00}),
        Stamped(FcsFrame({0x00, 0x01, 0x00, 0x00, 0x08, 0x01, 0x00, 0x46}, FrameRecord::kTx, false), 700, 7)};
    CallTracker tracker;
    tracker.Add(StepFrame(O(kSetup), 86'399'900, 0));
    RestartLog log(3);
    std::string kept;
    for (const FrameRecord& f : frames) kept += log.Add(f, tracker) ? '1' : '0';
    EXPECT_EQ(kept, "111100000");
    ASSERT_EQ(log.Count(), 3u);
    EXPECT_TRUE(log.At(0).index == 1 && log.At(0).channels.Text() == "3" && !log.At(0).wholeInterface);
    EXPECT_TRUE(log.At(0).ms == 86'400'100 && log.At(0).side == FrameRecord::kTx);
    EXPECT_TRUE(log.At(1).wholeInterface && log.At(1).channels.Empty() && log.At(2).wholeInterface);

    CallFeed feed;
    feed.Take(frames[0]);
    feed.Clear();
    EXPECT_EQ(feed.Restarts().Count(), 0u);
    const RestartLog& restarts = Span().Restarts();
    ASSERT_EQ(restarts.Count(), 2u);
    EXPECT_TRUE(restarts.At(0).ms == kT0 + 3'602'000 && restarts.At(1).time.Format() == "00:00:02.500");
}
