// velksim's traffic through the call tracker and the protocol checks: no
// error in what it sends, and with the faults injected exactly one finding
// more for each, on the frame that shows it. Where the faults went is read
// from the frames by this test's own small decoder.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "calls/CallTracker.h"
#include "checks/ProtocolChecker.h"
#include "sim/TrafficGenerator.h"
#include "tests/calls/CallFrames.h"

namespace {

constexpr int kFrames = 50000;
constexpr uint64_t kSeed = 3;
const FaultPlan kAll(FaultPlan::kDropReleaseComplete | FaultPlan::kNoBearer | FaultPlan::kRepeatNs);

struct Traffic {
    std::vector<SimFrame> frames;
    std::vector<Finding> findings;
};

// The frames 20 ms apart from 09:00:00, numbered from 0.
Traffic Generate(FaultPlan faults) {
    Traffic run;
    TrafficGenerator generator(kSeed, faults);
    CallTracker tracker;
    ProtocolChecker checker;
    run.frames.resize(kFrames);
    for (int i = 0; i < kFrames; ++i) {
        SimFrame& f = run.frames[i];
        generator.Next(f);
        std::vector<uint8_t> bytes{0x7E};
        bytes.insert(bytes.end(), f.octets.begin(), f.octets.end());
        bytes.push_back(0x7E);
        const FrameRecord r = callframes::Stamped(testsupport::RawFrame(bytes, f.direction), 32'400'000 + 20 * i, i);
        checker.Add(r, tracker.Add(r));
    }
    run.findings = checker.Findings().Take();
    return run;
}

// The frame of each fault: the SETUP without Bearer capability, the RELEASE
// no RELEASE COMPLETE answered, the I frame sent twice in a row; -1 for
// none, -2 for more than one.
struct Faults {
    int setup = -1, release = -1, repeated = -1;
};

Faults Find(const std::vector<SimFrame>& frames) {
    Faults found;
    auto note = [](int& at, int i) { at = at == -1 ? i : -2; };
    std::map<std::tuple<int, int, int>, int> releasing;  // call reference length, value, origin -> RELEASE
    for (int i = 0; i < static_cast<int>(frames.size()); ++i) {
        const SimFrame& f = frames[i];
        const std::vector<uint8_t>& o = f.octets;
        if (f.badFcs || (o[2] & 1) != 0) continue;
        const SimFrame& before = frames[i > 0 ? i - 1 : 0];
        if (i > 0 && !before.badFcs && before.octets == o && before.direction == f.direction) note(found.repeated, i - 1);
        if (o[0] >> 2 != 0 || o[4] != 0x08) continue;
        const int length = o[5], type = o[6 + length];
        const std::tuple key{length, length == 1 ? o[6] & 0x7F : (o[6] & 0x7F) << 8 | o[7],
                             o[6] & 0x80 ? 1 - f.direction : f.direction};
        if (type == 0x05 && o[7 + length] != 0x04) note(found.setup, i);
        if (type == 0x4D) releasing[key] = i;
        if (type == 0x5A) releasing.erase(key);
    }
    // A call cleared near the end may still wait for its RELEASE COMPLETE.
    for (const auto& [key, at] : releasing)
        if (at < static_cast<int>(frames.size()) - 1000) note(found.release, at);
    return found;
}

using Kind = std::tuple<Check, Severity, std::string>;

}  // namespace

TEST(InjectedFaults, EachRaisesItsOwnFindingAndNothingElseChanges) {
    const Traffic plain = Generate(FaultPlan()), faulty = Generate(kAll);
    const Faults none = Find(plain.frames), found = Find(faulty.frames);
    ASSERT_EQ(std::tie(none.setup, none.release, none.repeated), std::tuple(-1, -1, -1));
    for (int at : {found.setup, found.release, found.repeated}) ASSERT_GE(at, 200);
    // Frame by frame, regenerated alone, the run's frames with the faults.
    const int last = std::max({found.setup, found.release, found.repeated}) + 50;
    EXPECT_EQ(TrafficGenerator::FrameAt(kSeed, last, kAll).octets, faulty.frames[last].octets);
    EXPECT_NE(TrafficGenerator::FrameAt(kSeed, last).octets, faulty.frames[last].octets);

    // The traffic raises no error of its own; with the faults, findings are
    // those of the plain traffic and one more for each.
    std::multiset<Kind> more, missing;
    for (const Finding& f : plain.findings) {
        EXPECT_NE(f.severity, Severity::kError) << CheckKind::Code(f.check) << " at " << f.index;
        missing.insert({f.check, f.severity, f.text});
    }
    for (const Finding& f : faulty.findings) {
        const auto seen = missing.find({f.check, f.severity, f.text});
        if (seen == missing.end()) more.insert({f.check, f.severity, f.text});
        else missing.erase(seen);
    }
    EXPECT_TRUE(missing.empty());
    std::multiset<std::pair<Check, Severity>> kinds;
    for (const auto& [check, severity, text] : more) kinds.insert({check, severity});
    EXPECT_EQ(kinds, (std::multiset<std::pair<Check, Severity>>{{Check::kT308, Severity::kWarning},
                                                                 {Check::kMandatory, Severity::kError},
                                                                 {Check::kT200, Severity::kWarning}}));
    for (const auto& want : {std::pair(Check::kMandatory, found.setup), std::pair(Check::kT308, found.release),
                              std::pair(Check::kT200, found.repeated)})
        EXPECT_TRUE(std::any_of(faulty.findings.begin(), faulty.findings.end(),
                                [&](const Finding& f) { return f.check == want.first && f.index == want.second; }))
            << CheckKind::Code(want.first) << " at " << want.second;
}
