// The call checks through the whole checker beside a call tracker: frame
// sequences that must raise each finding and close variants that must not.
#include <gtest/gtest.h>

#include "calls/CallTracker.h"
#include "checks/EndedKeys.h"
#include "checks/ProtocolChecker.h"
#include "tests/calls/CallFrames.h"

using namespace callframes;

namespace {

enum : uint8_t { kProgress = 0x03, kConnAck = 0x0F, kSuspendRej = 0x21, kResumeAck = 0x2E, kRestart = 0x46,
                 kRestartAck = 0x4E, kNotify = 0x6E, kStatus = 0x7D };

struct At {
    int ms;
    Step step;
    uint8_t address = 0x00;  // C/R 0: a command of the user side
    uint8_t tei = 0;
};

const Bytes kBc{0x04, 0x03, 0x80, 0x90, 0xA3};
Bytes CallState(uint8_t value) { return {0x14, 0x01, value}; }
Bytes Status(int cause, uint8_t state) { return Cause(0, cause) + CallState(state); }
Step Global(uint8_t type, Bytes e) { return {FrameRecord::kRx, false, type, e, 0}; }

// The call checks' findings as "E:STATE@3/2" (severity, code, INDEX, call),
// the frames from 10:00:00 on, each side's I frames numbered in turn.
std::string Findings(const std::vector<At>& frames, const CheckSettings& settings = CheckSettings(),
                std::vector<std::string>* texts = nullptr) {
    CallTracker tracker;
    ProtocolChecker checker(settings);
    uint8_t ns[2] = {};
    for (int i = 0; i < static_cast<int>(frames.size()); ++i) {
        const Step& s = frames[i].step;
        const Bytes body{frames[i].address, static_cast<uint8_t>(frames[i].tei << 1 | 1), static_cast<uint8_t>(ns[s.direction]++ << 1 & 0xFE), 0x00, 0x08, 0x01,
                         static_cast<uint8_t>((s.flag ? 0x80 : 0) | s.cr), s.type};
        const FrameRecord r = Stamped(testsupport::FcsFrame(body + s.elements, s.direction), 36'000'000 + frames[i].ms, i);
        checker.Add(r, tracker.Add(r));
    }
    std::string out;
    for (const Finding& f : checker.Findings()) {
        if (f.check > Check::kCollision) continue;
        out += std::string(out.empty() ? "" : " ") + "EWI"[static_cast<int>(f.severity)] + ":" + CheckKind::Code(f.check) +
               "@" + std::to_string(f.index) + "/" + std::to_string(f.call);
        if (texts) texts->push_back(Cp932::ToUtf8(f.text));
    }
    return out;
}

}  // namespace

TEST(CallStateCheck, EachCheckRaisesWhereItMustAndNotBeside) {
    const struct {
        const char* name;
        std::vector<At> frames;
        const char* found;
    } cases[] = {
        {"an answered call cleared in order",
         {{0, O(kSetup, kBc + Channel(1))}, {100, D(kProc, Channel(1))}, {200, D(kAlert)}, {300, D(kConnect)},
          {400, O(kConnAck)}, {500, O(kDisc, Cause(0, 16))}, {600, D(kRel)}, {700, O(kRelComp)}},
         ""},
        {"ALERTING after CONNECT, CONNECT ACKNOWLEDGE from the called side and twice, PROGRESS when active",
         {{0, O(kSetup, kBc)}, {100, D(kConnect)}, {200, D(kAlert)}, {300, D(kConnAck)}, {400, O(kConnAck)},
          {500, O(kConnAck)}, {600, D(kProgress, {0x1E, 0x02, 0x82, 0x88})}},
         "E:STATE@2/1 E:STATE@3/1 E:STATE@5/1 E:STATE@6/1"},
        {"a call begun before the capture: any order, any clearing",
         {{0, D(kConnect)}, {100, D(kAlert)}, {200, O(kConnAck)}, {300, O(kRelComp)}},
         ""},
        {"after RELEASE COMPLETE: CONNECT is not valid; STATUS and a new SETUP are",
         {{0, O(kSetup, kBc)}, {100, D(kRelComp, Cause(0, 21))}, {200, D(kConnect)}, {300, D(kRelComp)},
          {400, D(kStatus, Status(30, 0))}, {500, O(kSetup, kBc)}},
         "E:STATE@2/2"},
        {"SETUP again after the answer; not after RELEASE, whose RELEASE COMPLETE may be lost",
         {{0, O(kSetup, kBc)}, {100, D(kAlert)}, {200, O(kSetup, kBc)}, {300, D(kRel, Cause(0, 16))},
          {400, O(kSetup, kBc)}},
         "E:STATE@2/2"},
        {"glare on one channel: no state finding, a collision",
         {{0, O(kSetup, kBc + Channel(1), 5)}, {50, {FrameRecord::kRx, false, kSetup, kBc + Channel(1), 5}},
          {100, D(kAlert, {}, 5)}, {150, {FrameRecord::kTx, true, kAlert, {}, 5}}},
         "W:COLLISION@1/2"},
        {"two calls on channel 5, once; the latest channel counts; RELEASE frees it",
         {{0, O(kSetup, kBc + Channel(5), 1)}, {100, D(kProc, Channel(5), 1)}, {200, O(kSetup, kBc + Channel(5), 2)},
          {300, D(kProc, Channel(5), 2)}, {400, D(kAlert, Channel(6), 2)}, {500, D(kRel, Cause(0, 16), 1)},
          {600, O(kSetup, kBc + Channel(5), 3)}, {700, O(kSetup, kBc + Channel(6), 4)}},
         "W:COLLISION@2/2 W:COLLISION@7/4"},
        {"SETUP sent again before any answer: T303 once", {{0, O(kSetup, kBc)}, {4000, O(kSetup, kBc)}, {4100, D(kProc)}},
         "W:T303@0/1"},
        {"the same after the deadline", {{0, O(kSetup, kBc)}, {4001, O(kSetup, kBc)}, {4100, D(kProc)}}, "W:T303@0/1"},
        {"a late answer", {{0, O(kSetup, kBc)}, {4001, D(kProc)}}, "W:T303@0/1"},
        {"a SETUP to the group TEI, answered from a terminal's",
         {{0, O(kSetup, kBc + Channel(1)), 0x02, 127}, {4001, D(kAlert), 0x00, 64}},
         ""},
        {"answers on the deadlines of T303 and T310",
         {{0, O(kSetup, kBc)}, {4000, D(kProc)}, {14000, D(kAlert)}, {99000, O(kSetup, kBc, 2)}},
         ""},
        {"nothing after CALL PROCEEDING", {{0, O(kSetup, kBc)}, {100, D(kProc)}, {10101, D(kAlert)}}, "W:T310@1/1"},
        {"no RELEASE after DISCONNECT",
         {{0, O(kSetup, kBc)}, {100, D(kConnect)}, {200, O(kConnAck)}, {300, O(kDisc, Cause(0, 16))},
          {30301, D(kRel)}},
         "W:T305@3/1"},
        {"no RELEASE COMPLETE 5 s after RELEASE",
         {{0, O(kSetup, kBc)}, {100, D(kRel, Cause(0, 16))}, {5100, O(kSetup, kBc, 2)}},
         "W:T308@1/1"},
        {"the same 3 s after", {{0, O(kSetup, kBc)}, {100, D(kRel, Cause(0, 16))}, {3100, O(kSetup, kBc, 2)}}, ""},
        {"RELEASE sent again: T308 once",
         {{0, O(kSetup, kBc)}, {100, D(kRel, Cause(0, 16))}, {4000, D(kRel)}, {9000, D(kRel)}, {9100, O(kRelComp)}},
         "W:T308@1/1"},
        {"RELEASE from both sides waits for no RELEASE COMPLETE",
         {{0, O(kSetup, kBc)}, {100, D(kRel, Cause(0, 16))}, {150, O(kRel)}, {9000, O(kSetup, kBc, 2)}},
         ""},
        {"the user's CONNECT unacknowledged", {{0, O(kSetup, kBc)}, {100, D(kConnect)}, {4101, D(kFacility, {0x1C, 0x00})}},
         "W:T313@1/1"},
        {"the network's CONNECT needs no acknowledgement",
         {{0, O(kSetup, kBc)}, {100, D(kConnect), 0x02}, {4101, D(kFacility, {0x1C, 0x00})}},
         ""},
        {"RELEASE COMPLETE first after CONNECT, after ALERTING; as a rejection, after DISCONNECT",
         {{0, O(kSetup, kBc, 1)}, {100, D(kConnect, {}, 1)}, {200, D(kRelComp, Cause(0, 16), 1)},
          {300, O(kSetup, kBc, 2)}, {400, D(kAlert, {}, 2)}, {500, D(kRelComp, Cause(0, 16), 2)},
          {600, O(kSetup, kBc, 3)}, {700, D(kRelComp, Cause(0, 17), 3)},
          {800, O(kSetup, kBc, 4)}, {900, D(kDisc, Cause(0, 17), 4)}, {1000, O(kRelComp, {}, 4)}},
         "E:RELCOMP@2/1 W:RELCOMP@5/2"},
        {"STATUS: a protocol error, a state not held; the state before CONNECT ACKNOWLEDGE",
         {{0, O(kSetup, kBc)}, {100, D(kConnect)}, {200, O(kConnAck)}, {300, D(kStatus, Status(100, 10))},
          {400, O(kStatus, Status(30, 3))}, {500, D(kStatus, Status(30, 8))}, {600, D(kStatus, Status(30, 0x8A))}},
         "E:STATUS@3/1 W:STATUS-STATE@4/1"},
        {"cause 44", {{0, O(kSetup, kBc)}, {100, D(kRelComp, Cause(0, 44))}}, "W:CHANNEL@1/1"},
        {"elements out of order; repeated, single-octet and shifted ones may be",
         {{0, O(kSetup, Called("1") + kBc)}, {100, O(kSetup, kBc + Called("1") + Called("2") + Bytes{0xA1} + Charge("1"), 2)}},
         "W:IE-ORDER@0/1"},
        {"RESTART of channel 2 clears the call on it, not the one on channel 1",
         {{0, O(kSetup, kBc + Channel(1), 1)}, {100, D(kAlert, {}, 1)}, {200, O(kSetup, kBc + Channel(2), 2)},
          {300, D(kAlert, {}, 2)}, {400, Global(kRestart, Channel(2) + Bytes{0x79, 0x01, 0x80})},
          {500, O(kSetup, kBc + Channel(2), 2)}, {600, O(kSetup, kBc + Channel(1), 1)}},
         "E:STATE@6/4"},
        {"SUSPEND ACKNOWLEDGE and a RESTART of the interface free the calls' references",
         {{0, O(kSetup, kBc, 1)}, {100, D(kAlert, {}, 1)}, {200, D(0x2D, {}, 1)}, {300, O(kSetup, kBc, 1)},
          {400, O(kSetup, kBc, 2)}, {500, D(kAlert, {}, 2)}, {600, Global(kRestart, {0x79, 0x01, 0x87})},
          {700, O(kSetup, kBc, 2)}},
         ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Findings(c.frames), c.found) << c.name;
}

TEST(CallStateCheck, MandatoryElementsWithoutAndWith) {
    const struct {
        uint8_t type;
        Bytes elements;
    } rows[] = {
        {kSetup, kBc}, {kDisc, Cause(0, 16)}, {kStatus, Status(30, 0)}, {kProgress, {0x1E, 0x02, 0x82, 0x88}},
        {kNotify, {0x27, 0x01, 0x80}}, {kSuspendRej, Cause(0, 16)}, {kResumeAck, Channel(1)}, {kFacility, {0x1C, 0x00}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Findings({{0, O(row.type, {})}}), "E:IE-MISSING@0/1") << int(row.type);
        EXPECT_EQ(Findings({{0, O(row.type, row.elements)}}), "") << int(row.type);
    }
    for (uint8_t type : {kRestart, kRestartAck}) {
        EXPECT_EQ(Findings({{0, Global(type, {})}}), "E:IE-MISSING@0/0");
        EXPECT_EQ(Findings({{0, Global(type, {0x79, 0x01, 0x87})}}), "");
    }
    // The network's SETUP and SETUP ACKNOWLEDGE (C/R 1) name the channel; the user's need not.
    EXPECT_EQ(Findings({{0, O(kSetup, kBc), 0x02}}), "E:IE-MISSING@0/1");
    EXPECT_EQ(Findings({{0, O(kSetup, kBc + Channel(1)), 0x02}}), "");
    EXPECT_EQ(Findings({{0, O(kSetup, kBc)}, {100, D(kSetupAck), 0x02}}), "E:IE-MISSING@1/1");
    EXPECT_EQ(Findings({{0, O(kSetup, kBc)}, {100, D(kSetupAck, Channel(1)), 0x02}}), "");
    // A cause in RELEASE and RELEASE COMPLETE only when it is the first clearing message.
    EXPECT_EQ(Findings({{0, O(kSetup, kBc)}, {100, D(kRel)}, {200, O(kRelComp)}}), "E:IE-MISSING@1/1");
    EXPECT_EQ(Findings({{0, O(kSetup, kBc)}, {100, D(kRelComp)}}), "E:IE-MISSING@1/1");
    EXPECT_EQ(Findings({{0, O(kSetup, kBc)}, {100, D(kDisc, Cause(0, 16))}, {200, O(kRel)}, {300, D(kRelComp)}}), "");
}

TEST(CallStateCheck, TextsNameWhatWasSeenAndTheTimersSet) {
    CheckSettings settings;
    settings.t303 = 1000;
    std::vector<std::string> texts;
    EXPECT_EQ(Findings({{0, O(kSetup, kBc)}, {1001, D(kConnect)}, {1100, D(kAlert)}}, settings, &texts),
              "W:T303@0/1 E:STATE@2/1");
    EXPECT_EQ(texts, (std::vector<std::string>{"SETUP から 1000 ms 以内に着信側の応答なし",
                                               "着信側から ALERTING（CONNECT の後は発信側の CONNECT ACKNOWLEDGE か解放）"}));
}

// The oldest open call goes past the bound: its key starts over as a call
// begun before the capture; the newest is still followed.
TEST(CallStateCheck, OpenCallsAndEndedKeysBounded) {
    CallTracker tracker;
    CallStateCheck check{CheckSettings()};
    FindingLog log;
    const auto add = [&](const FrameRecord& r) { check.Add(r, tracker.Add(r), 0, log); };
    const int newest = static_cast<int>(CallStateCheck::kMaxCalls) + 1;
    for (int cr = 1; cr <= newest; ++cr) add(testsupport::Q931Frame({0x02, uint8_t(cr >> 8), uint8_t(cr)}, kSetup, kBc));
    EXPECT_EQ(check.OpenCalls(), CallStateCheck::kMaxCalls);
    add(testsupport::Q931Frame({0x02, 0x80, 0x01}, kConnAck, {}, FrameRecord::kRx));
    add(testsupport::Q931Frame({0x02, uint8_t(0x80 | newest >> 8), uint8_t(newest)}, kConnAck, {}, FrameRecord::kRx));
    ASSERT_EQ(log.Count(), 1u);
    EXPECT_EQ(log.At(0).check, Check::kState);
    EXPECT_EQ(log.At(0).call, static_cast<uint64_t>(newest));

    EndedKeys ended(2);
    for (uint32_t key : {1, 2, 1, 3}) ended.Add(key);
    EXPECT_TRUE(ended.Has(1) && ended.Has(3) && !ended.Has(2));
    ended.Remove(3);
    ended.Add(4);
    ended.Add(5);
    EXPECT_TRUE(ended.Count() == 2 && ended.Has(4) && ended.Has(5));
}
