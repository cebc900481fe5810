// The layer-2 checks rule by rule: frame sequences on one link (SAPI 0,
// TEI 64; TX the user side), the findings they raise and which frames reach
// layer 3; then the simulator's links, which must raise no error.
#include <gtest/gtest.h>

#include "checks/ProtocolChecker.h"
#include "tests/calls/SimulatedFrames.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

namespace {

using Bytes = std::vector<uint8_t>;
constexpr uint8_t kTx = FrameRecord::kTx, kRx = FrameRecord::kRx;
enum : uint8_t { kSabme = 0x7F, kUa = 0x73, kDisc = 0x53, kDm = 0x1F, kFrmr = 0x97, kRr = 0x01, kRnr = 0x05, kRej = 0x09 };

Bytes U(uint8_t control) { return {0x00, 0x81, control}; }
Bytes S(uint8_t type, int nr) { return {0x00, 0x81, type, static_cast<uint8_t>(nr << 1)}; }
Bytes I(int ns, int tei = 64) { return {0x00, static_cast<uint8_t>(tei << 1 | 1), static_cast<uint8_t>(ns << 1), 0x00, 0x08, 0x01, 0x01, 0x7B}; }
// TEI management: message type, Ri, Ai.
Bytes Tei(uint8_t type, int ri, int ai) { return {0xFC, 0xFF, 0x03, 0x0F, uint8_t(ri >> 8), uint8_t(ri), type, uint8_t(ai << 1 | 1)}; }

// ms after the previous step.
struct Step { uint8_t direction; Bytes body; int ms = 0; bool goodFcs = true; };
const Step kSabmeTx{kTx, U(kSabme)}, kUaRx{kRx, U(kUa)};
std::vector<Step> Linked(std::vector<Step> more) {
    more.insert(more.begin(), {kSabmeTx, kUaRx});
    return more;
}

// "CODE/severity@index ..." of the findings, then "|" and what reached layer 3 (1 or 0 a frame).
std::string Findings(const std::vector<Step>& steps, Layer2Check::Counts* counts = nullptr) {
    Layer2Check check{CheckSettings()};
    FindingLog log;
    std::string passed;
    int64_t ms = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        FrameRecord r = FcsFrame(steps[i].body, steps[i].direction, steps[i].goodFcs);
        r.SetIndex(static_cast<int32_t>(i));
        passed += check.Add(r, ms += steps[i].ms, log) ? '1' : '0';
    }
    std::string out;
    for (const Finding& f : log)
        out += CheckKind::Code(f.check) + "/" + "EWI"[static_cast<int>(f.severity)] + "@" + std::to_string(f.index) + " ";
    if (counts) *counts = check.FrameCounts();
    return out + "|" + passed;
}

struct Case { const char* name; std::vector<Step> steps; const char* expected; };
void ExpectEach(const std::vector<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(Findings(c.steps), c.expected) << c.name;
}

}  // namespace

TEST(Layer2Check, LinkProcedures) {
    ExpectEach({
        {"set up and released (the UA after DISC answers it), then idle", Linked({{kTx, U(kDisc)}, kUaRx, {kTx, U(kSabme), 20000}}),
         "L2-SABME/I@0 L2-DISC/I@2 L2-SABME/I@4 |11111"},
        {"a SABME repeated while its UA is awaited", {kSabmeTx, kSabmeTx, kUaRx}, "L2-SABME/I@0 |111"},
        {"SABME collision: each side answers the other", {kSabmeTx, {kRx, U(kSabme)}, kUaRx, {kTx, U(kUa)}}, "L2-SABME/I@0 |1111"},
        {"reset of an established link, then a new set-up after release",
         Linked({kSabmeTx, kUaRx, {kRx, U(kDisc)}, {kTx, U(kUa)}, kSabmeTx}), "L2-SABME/I@0 L2-RESET/W@2 L2-DISC/I@4 L2-SABME/I@6 |1111111"},
        {"UA answering nothing", Linked({kUaRx}), "L2-SABME/I@0 L2-UA/W@2 |111"},
        {"DM refusing a SABME; DM on an established link; DM answering DISC and DM unasked: counted only",
         {kSabmeTx, {kRx, U(kDm)}, {kRx, U(kDm)}, kSabmeTx, kUaRx, {kRx, U(kDm)}, {kTx, U(kDisc)}, {kRx, U(kDm)}},
         "L2-SABME/I@0 L2-DM/W@1 L2-SABME/I@3 L2-DM/W@5 L2-DISC/I@6 |11111111"},
        {"FRMR, REJ; RNR on entering the busy condition only",
         {{kRx, U(kFrmr)}, {kTx, S(kRej, 3)}, {kTx, S(kRnr, 0)}, {kTx, S(kRnr, 0)}, {kRx, S(kRnr, 0)}, {kTx, S(kRr, 0)}, {kTx, S(kRnr, 0)}},
         "L2-FRMR/E@0 L2-REJ/W@1 L2-RNR/I@2 L2-RNR/I@4 L2-RNR/I@6 |1111111"},
    });
}

TEST(Layer2Check, SequenceNumbersAndTimers) {
    std::vector<Step> copies = Linked({{kTx, I(5)}});
    copies.insert(copies.end(), 5, {kTx, I(5), 1000});
    ExpectEach({
        {"a copy of the last I frame: T200 at the first copy, dropped; the next N(S) goes on",
         Linked({{kTx, I(0)}, {kRx, I(0)}, {kTx, I(0), 1000}, {kTx, I(0), 1000}, {kTx, I(1)}}), "L2-SABME/I@0 T200/W@2 |1111001"},
        {"more than N200 copies: N200 once", copies, "L2-SABME/I@0 T200/W@2 N200/E@2 |11100000"},
        {"N(S) wraps from 127 to 0, in sequence after a damaged frame", {{kTx, I(126)}, {kTx, I(127)}, {kTx, S(kRr, 0), 0, false}, {kTx, I(0)}},
         "FCS/W@2 |1101"},
        {"after a damaged I frame the next is dropped until REJ brings both again",
         Linked({{kTx, I(0)}, {kTx, I(1), 0, false}, {kTx, I(2)}, {kRx, S(kRej, 1)}, {kTx, I(1)}, {kTx, I(2)}}),
         "L2-SABME/I@0 FCS/W@3 L2-REJ/W@5 |11100111"},
        {"a damaged frame the peer took all the same: its acknowledgement sets the sequence right",
         Linked({{kTx, I(0)}, {kTx, I(1), 0, false}, {kTx, I(2)}, {kRx, S(kRr, 3)}, {kTx, I(3)}}), "L2-SABME/I@0 FCS/W@3 |1110011"},
        {"a frame past the capture unseen, no damage: taken; one behind: dropped",
         Linked({{kTx, I(0)}, {kTx, I(2)}, {kRx, S(kRr, 3)}, {kTx, I(1)}}), "L2-SABME/I@0 |111110"},
        {"an established link idle past T203 + T200, found by another link's frame", Linked({{kTx, I(0, 65), 11001}}),
         "L2-SABME/I@0 T203/W@1 |111"},
        {"idle just T203 + T200", Linked({{kTx, I(0), 11000}}), "L2-SABME/I@0 |111"},
        {"idle on a link not seen set up", {{kTx, I(0)}, {kTx, I(1), 20000}}, "|11"},
    });
}

TEST(Layer2Check, TeiManagement) {
    ExpectEach({
        {"a TEI assigned to another Ri and not removed", {{kRx, Tei(2, 1, 64)}, {kRx, Tei(2, 1, 64)}, {kRx, Tei(2, 2, 64)}}, "TEI/E@2 |111"},
        {"removed, or checked without an answer, before it is given again",
         {{kRx, Tei(2, 1, 64)}, {kRx, Tei(6, 0, 64)}, {kRx, Tei(2, 2, 64)}, {kRx, Tei(4, 0, 127)}, {kRx, Tei(2, 3, 64)}}, "TEI/W@1 |11111"},
        {"check responses for one TEI from two Ri; one each to two checks is fine",
         {{kRx, Tei(2, 1, 64)}, {kRx, Tei(4, 0, 127)}, {kTx, Tei(5, 7, 64)}, {kRx, Tei(4, 0, 64)}, {kTx, Tei(5, 8, 64)},
          {kTx, Tei(5, 9, 64)}, {kTx, Tei(5, 10, 64)}},
         "TEI/E@5 |1111111"},
        {"denied; a removed TEI in use on SAPI 0, once, until given again",
         {{kRx, Tei(3, 1, 127)}, {kRx, Tei(2, 1, 70)}, {kRx, Tei(6, 0, 127)}, {kTx, I(0, 70)}, {kTx, I(1, 70)}, {kRx, Tei(2, 2, 70)},
          {kTx, I(2, 70)}, {kTx, I(0, 71)}},
         "TEI/W@0 TEI/W@2 TEI/W@3 |11111111"},
        {"a removed TEI's link is no longer established (and the TEI is still used)",
         {{kRx, Tei(2, 1, 64)}, kSabmeTx, kUaRx, {kRx, Tei(6, 0, 64)}, {kTx, U(kSabme), 30000}}, "L2-SABME/I@1 TEI/W@3 TEI/W@4 L2-SABME/I@4 |11111"},
    });
}

TEST(Layer2Check, CountsAndTheLinkHeardFromLongestAgo) {
    Layer2Check::Counts n;
    Findings({kSabmeTx, kSabmeTx, kUaRx, {kTx, U(kDisc)}, {kRx, U(kDm)}, {kRx, U(kFrmr)}, {kTx, S(kRej, 0)}, {kTx, S(kRnr, 0)},
              {kTx, S(kRnr, 0)}, {kTx, U(kUa), 0, false}},
             &n);
    EXPECT_EQ(std::vector<uint64_t>({n.sabme, n.ua, n.disc, n.dm, n.frmr, n.rej, n.rnr, n.fcsErrors}),
              std::vector<uint64_t>({2, 1, 1, 1, 1, 1, 2, 1}));
    // Past the bound the oldest link is forgotten: its next SABME sets it up anew.
    std::vector<Step> steps = Linked({});
    for (int n = 0; n < static_cast<int>(Layer2Check::kMaxLinks); ++n)
        steps.push_back({kTx, {static_cast<uint8_t>((1 + n / 120) << 2), static_cast<uint8_t>((n % 120) << 1 | 1), kRr, 0}, 1});
    steps.push_back(kSabmeTx);
    const std::string found = Findings(steps);
    EXPECT_EQ(found.substr(0, found.find('|')), "L2-SABME/I@0 L2-SABME/I@258 ");
}

// The simulator's links are correct LAPD: damaged frames and the recovery
// from them, set-up, polls and TEI checks raise no error.
TEST(Layer2Check, SimulatedTrafficRaisesNoError) {
    TrafficGenerator generator(25);
    ProtocolChecker checker;
    for (int i = 0; i < 20000; ++i) {
        FrameRecord r = NextSimulatedFrame(generator, 20 * i);
        r.SetIndex(i);
        checker.Add(r, 0);
    }
    uint64_t setUps = 0, fcs = 0;
    for (const Finding& f : checker.Findings()) {
        EXPECT_TRUE(f.check < Check::kLinkSetup || (f.severity != Severity::kError && f.check != Check::kT200))
            << CheckKind::Code(f.check) << " " << f.index << " " << Cp932::ToUtf8(f.text);
        setUps += f.check == Check::kLinkSetup;
        fcs += f.check == Check::kFcs;
    }
    EXPECT_EQ(setUps, 2u);
    EXPECT_GT(fcs, 50u);
    EXPECT_EQ(fcs, checker.FrameCounts().fcsErrors);
}
