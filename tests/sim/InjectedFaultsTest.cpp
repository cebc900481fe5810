// velksim's traffic at its default 20 frames/s through the call tracker and
// the protocol checks: no error and no call timer running out in what it
// sends, and with the faults injected exactly one finding more for each, on
// the frame that shows the fault.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "calls/CallTracker.h"
#include "checks/ProtocolChecker.h"
#include "sim/TrafficGenerator.h"
#include "tests/calls/CallFrames.h"

namespace {

constexpr uint64_t kSeed = 8;
const FaultPlan kAll(FaultPlan::kDropReleaseComplete | FaultPlan::kNoBearer | FaultPlan::kRepeatNs);

// 50,000 frames 50 ms apart from 09:00:00; their findings.
std::vector<Finding> FindingsOf(FaultPlan faults, std::vector<SimFrame>& frames) {
    TrafficGenerator generator(kSeed, faults);
    CallTracker tracker;
    ProtocolChecker checker;
    frames.resize(50000);
    for (int i = 0; i < 50000; ++i) {
        generator.Next(frames[i]);
        std::vector<uint8_t> bytes{0x7E};
        bytes.insert(bytes.end(), frames[i].octets.begin(), frames[i].octets.end());
        bytes.push_back(0x7E);
        const FrameRecord r = callframes::Stamped(testsupport::RawFrame(bytes, frames[i].direction), 32'400'000 + 50 * i, i);
        checker.Add(r, tracker.Add(r));
    }
    return checker.Findings().Take();
}

// The Q.931 message type of a frame, 0 for another.
int MessageType(const SimFrame& f) {
    const std::vector<uint8_t>& o = f.octets;
    return !f.badFcs && (o[2] & 1) == 0 && o[0] >> 2 == 0 && o[4] == 0x08 ? o[6 + o[5]] : 0;
}
int FirstElement(const SimFrame& f) { return f.octets[7 + f.octets[5]]; }

}  // namespace

TEST(InjectedFaults, EachRaisesItsOwnFindingAndNothingElseChanges) {
    std::vector<SimFrame> plain, faulty;
    std::map<std::tuple<Check, Severity, std::string>, int> count;  // plain's findings less the faulty run's
    for (const Finding& f : FindingsOf(FaultPlan(), plain)) {
        const bool timer = f.check >= Check::kT303 && f.check <= Check::kT313;
        EXPECT_TRUE(f.severity != Severity::kError && !timer) << CheckKind::Code(f.check) << " at " << f.index;
        ++count[{f.check, f.severity, f.text}];
    }
    std::vector<Finding> more;
    for (const Finding& f : FindingsOf(kAll, faulty))
        if (--count[{f.check, f.severity, f.text}] < 0) more.push_back(f);
    for (const auto& [kind, n] : count) EXPECT_LE(n, 0) << CheckKind::Code(std::get<0>(kind)) << " missing";
    // The RELEASE left unanswered, the SETUP without Bearer capability (its
    // channel first), the I frame sent twice.
    std::sort(more.begin(), more.end(), [](const Finding& x, const Finding& y) { return x.check < y.check; });
    ASSERT_EQ(more.size(), 3u);
    const int release = more[0].index, setup = more[1].index, copied = more[2].index;
    EXPECT_GE(std::min({release, setup, copied}), 200);
    EXPECT_EQ(std::tuple(more[0].check, more[0].severity, MessageType(faulty[release])),
              std::tuple(Check::kT308, Severity::kWarning, 0x4D));
    EXPECT_EQ(std::tuple(more[1].check, more[1].severity, MessageType(faulty[setup]), FirstElement(faulty[setup])),
              std::tuple(Check::kMandatory, Severity::kError, 0x05, 0x18));
    EXPECT_EQ(std::tuple(more[2].check, more[2].severity), std::tuple(Check::kT200, Severity::kWarning));
    EXPECT_EQ(faulty[copied].octets, faulty.at(copied + 1).octets);
    // The call control link runs on as if the lost message had never been
    // made: each side's N(S) one up from the last, the copy aside.
    int next[2] = {0, 0};
    for (int i = 1; i < 50000; ++i) {
        if (MessageType(faulty[i]) == 0 || i == copied + 1) continue;
        EXPECT_EQ(faulty[i].octets[2] >> 1, next[faulty[i].direction]) << i;
        next[faulty[i].direction] = ((faulty[i].octets[2] >> 1) + 1) & 0x7F;
    }
    // Regenerated alone, a frame past the faults is the run's.
    EXPECT_EQ(TrafficGenerator::FrameAt(kSeed, 1000, kAll).octets, faulty[1000].octets);
}
