// The call tracker rule by rule: frame sequences and the CSV rows of the
// calls they make. Frames stand 100 ms apart from 23:59:59.800 on, so every
// sequence crosses midnight.
#include <gtest/gtest.h>

#include <climits>

#include "base/Cp932.h"
#include "calls/CallCsv.h"
#include "tests/calls/CallFrames.h"

using namespace testsupport;
using namespace callframes;

namespace {

// The CSV rows after the header, in UTF-8.
std::vector<std::string> Rows(const std::vector<Step>& steps) {
    CallTracker tracker;
    for (int i = 0; i < static_cast<int>(steps.size()); ++i)
        EXPECT_NE(tracker.Add(StepFrame(steps[i], 86'399'800 + 100 * i, i)), 0u) << i;
    const std::string csv = Cp932::ToUtf8(CallCsv::Text(tracker, Catalogue("IF_CA_CA:\n0x10=\"正常, 切断\"\n")));
    std::vector<std::string> rows;
    for (size_t at = csv.find("\r\n") + 2, end; (end = csv.find("\r\n", at)) != std::string::npos; at = end + 2)
        rows.push_back(csv.substr(at, end - at));
    return rows;
}

}  // namespace

TEST(CallTracker, EachRuleMakesTheCallsItSays) {
    EXPECT_EQ(CallCsv::Header(), Sjis("番号,開始INDEX,終了INDEX,フレーム数,呼番号,TEI,発信側,開始時刻,発番号,番号表示,着番号,チャネル,"
                                      "呼出まで,応答まで,通話,切断側,切断,理由,位置,理由名,結果,途中開始,料金\r\n"));
    EXPECT_EQ(CallCsv::ColumnName(-1) + CallCsv::ColumnName(INT_MAX), "");  // a header section past the columns
    const struct {
        const char* name;
        std::vector<Step> steps;
        std::vector<std::string> rows;
    } cases[] = {
        {"answered, cleared by the peer; the first channel and cause elements; the last charge of codeset 6",
         {O(kSetup, Element(0x6C, {0x01, 0xA1}, "0312345678") + Called("0399") + Ch({0xA9, 0x83, 0x85})), D(kProc, Ch({0xA9, 0x83, 0x81})),
          D(kAlert), D(kConnect, {0x01, 0x02, 0x81, '7'}), D(kFacility, Charge("10")),
          D(kDisc, Cause(2, 16) + Cause(3, 17) + Charge("2,5\"")), O(kRel), D(kRelComp)},
         {"1,000000,000007,8,1,0,TX,23:59:59.800,0312345678,1,0399,5,200,300,200,RX,DISCONNECT,16,2,\"正常, 切断\",完了,0,"
          "\"2,5\"\"\""}},
        {"interleaved: refused, no answer, abandoned with the cause of a later clearing message, ongoing; B slot map,"
         " H0 by number and by map, a basic-rate element",
         {O(kSetup, Ch({0xA9, 0x93, 0x80, 0x01, 0x05}), 1), O(kSetup, Ch({0xA9, 0x86, 0x82}), 2),
          O(kSetup, Ch({0xA9, 0x96, 0x09}), 3), O(kSetup, Ch({0x89}), 4), D(kRelComp, Cause(4, 21), 1),
          D(kAlert, {}, 2), D(kAlert, {}, 4), O(kDisc, Cause(0, 16), 2), O(kDisc, {}, 3), O(kRel, Cause(0, 31), 3)},
         {"1,000000,000004,2,1,0,TX,23:59:59.800,,,,1+3+9+24,,,,RX,RELEASE COMPLETE,21,4,0x15,拒否,0,",
          "2,000001,000007,3,2,0,TX,23:59:59.900,,,,7+8+9+10+11+12,400,,,TX,DISCONNECT,16,0,\"正常, 切断\",不応答,0,",
          "3,000002,000009,3,3,0,TX,00:00:00.000,,,,1+2+3+4+5+6+19+20+21+22+23+24,,,,TX,DISCONNECT,31,0,0x1F,放棄,0,",
          "4,000003,000006,2,4,0,TX,00:00:00.100,,,,,300,,,,,,,,継続中,0,"}},
        {"a SETUP repeated before the peer answered joins; after, it leaves the call unreleased; channel numbers end"
         " with the element, channel 0 is none",
         {O(kSetup, Ch({0xA9, 0x83, 0x05}) + Called("12")), O(kSetup, Called("12")), D(kProc),
          O(kSetup, Ch({0xA9, 0x83, 0x80}) + Called("3"))},
         {"1,000000,000002,3,1,0,TX,23:59:59.800,,,12,5,,,,,,,,,未解放,0,",
          "2,000003,000003,1,1,0,TX,00:00:00.100,,,3,,,,,,,,,,継続中,0,"}},
        {"glare: one value from both sides is two calls; no octet 3a, presentation 0; interface identifier; no octet 3.2",
         {O(kSetup, Ch({0xE9, 0x01, 0x82, 0x83, 0x86}), 5),
          {FrameRecord::kRx, false, kSetup, Element(0x6C, {0x81}, "5") + Ch({0xA3}), 5}, D(kAlert, {}, 5)},
         {"1,000000,000002,2,5,0,TX,23:59:59.800,,,,6,200,,,,,,,,継続中,0,",
          "2,000001,000001,1,5,0,RX,23:59:59.900,5,0,,,,,,,,,,,継続中,0,"}},
        {"mid-call start, and a value used again after RELEASE COMPLETE; H11, an unknown channel type",
         {D(kConnect, Ch({0xA9, 0x98, 0x01})), O(kRelComp), O(kSetup, Ch({0xA9, 0x84, 0x81})), D(kRelComp), D(kDisc)},
         {"1,000000,000001,2,1,0,TX,23:59:59.800,,,,1+2+3+4+5+6+7+8+9+10+11+12+13+14+15+16+17+18+19+20+21+22+23+24,"
          ",0,100,TX,RELEASE COMPLETE,,,,完了,1,",
          "2,000002,000003,2,1,0,TX,00:00:00.000,,,,,,,,RX,RELEASE COMPLETE,,,,拒否,0,",
          "3,000004,000004,1,1,0,TX,00:00:00.200,,,,,,,,RX,DISCONNECT,,,,拒否,1,"}},
        {"overlap digits of the originator, not keypad or codeset 6; presentation from octet 3a, none in a called number",
         {O(kSetup, Element(0x6C, {0x01, 0xC3}, "") + Element(0x6C, {0x81}, "9") + Called("03") + Ch({0xA9, 0x83, 0x01, 0x82})),
          D(kSetupAck), O(kInfo, Element(0x70, {0x01}, "1234")), O(kInfo, {0x2C, 0x01, '9'}), O(kInfo, Bytes{0x96} + Called("5")),
          D(kInfo, Called("77"))},
         {"1,000000,000005,6,1,0,TX,23:59:59.800,,2,031234,1+2,,,,,,,,,継続中,0,"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Rows(c.steps), c.rows) << c.name;
}

TEST(CallTracker, FramesThatDoNotCount) {
    const Bytes setup{0x08, 0x01, 0x01, 0x05};
    const FrameRecord frames[] = {
        FcsFrame(Bytes{0x00, 0x01, 0x00, 0x00} + setup, FrameRecord::kTx, false), FcsFrame(Bytes{0x40, 0x01, 0x00, 0x00} + setup),
        FcsFrame(Bytes{0x00, 0x01, 0x01, 0x00} + setup), FcsFrame(Bytes{0x00, 0x01, 0x0F} + setup),
        FcsFrame({0x00, 0x01, 0x00, 0x00, 0x09, 0x01, 0x01, 0x05}), FcsFrame({0x00, 0x01, 0x00, 0x00, 0x08, 0x02, 0x01}),
        Q931Frame({0x00}, kSetup, {}), Q931Frame({0x01, 0x00}, 0x46, {}), Q931Frame({0x02, 0x80, 0x00}, 0x4E, {}),
        Q931Frame({0x03, 0x00, 0x00, 0x01}, kSetup, {}),
    };
    CallTracker tracker;
    for (const FrameRecord& f : frames) EXPECT_EQ(tracker.Add(f), 0u);
    // A UI frame counts, as does one that ends before its message type.
    EXPECT_EQ(tracker.Add(FcsFrame(Bytes{0x00, 0x01, 0x03} + setup)), 1u);
    EXPECT_EQ(tracker.Add(FcsFrame({0x00, 0x01, 0x00, 0x00, 0x08, 0x01, 0x02})), 2u);
}

TEST(CallTracker, KeepsTheNewestCallsNumberedAndTellsWhatChanged) {
    CallTracker tracker;
    // 100001 open calls, their keys apart by TEI and call reference.
    for (int i = 0, tei, cr; i <= static_cast<int>(CallTracker::kMaxCalls); ++i) {
        tei = i / 32767, cr = i % 32767 + 1;
        FrameRecord r = FcsFrame({0x00, static_cast<uint8_t>(tei << 1 | 1), 0x00, 0x00, 0x08, 0x02,
                                  static_cast<uint8_t>(cr >> 8), static_cast<uint8_t>(cr), kSetup});
        r.SetIndex(i);
        ASSERT_EQ(tracker.Add(r), static_cast<uint64_t>(i + 1));
    }
    EXPECT_EQ(tracker.Count(), CallTracker::kMaxCalls);
    EXPECT_FALSE(tracker.Find(1));
    EXPECT_EQ(tracker.TakeChanged().size(), CallTracker::kMaxCalls);
    // The dropped call's key has no open call any more (and call 2 goes); call 3's frame joins it.
    EXPECT_EQ(tracker.Add(Q931Frame({0x02, 0x80, 0x01}, kAlert, {}, FrameRecord::kRx)), 100002u);
    EXPECT_TRUE(tracker.Find(100002)->midCall);
    EXPECT_EQ(tracker.Add(Q931Frame({0x02, 0x80, 0x01}, kAlert, {}, FrameRecord::kRx)), 100002u);  // changed once
    EXPECT_EQ(tracker.Add(Q931Frame({0x02, 0x80, 0x03}, kRelComp, {}, FrameRecord::kRx)), 3u);
    EXPECT_EQ(tracker.TakeChanged(), (std::vector<uint64_t>{3, 100002}));
    // Settled calls leave from the front only.
    CallRecord taken;
    ASSERT_TRUE(tracker.TakeSettled(taken));
    EXPECT_EQ(taken.number, 3u);
    EXPECT_FALSE(tracker.TakeSettled(taken));
    // One taken before its change was told leaves nothing behind for the next.
    tracker.Add(Q931Frame({0x02, 0x80, 0x04}, kRelComp, {}, FrameRecord::kRx));
    ASSERT_TRUE(tracker.TakeSettled(taken));
    EXPECT_EQ(taken.number, 4u);
    tracker.Add(Q931Frame({0x02, 0x80, 0x05}, kAlert, {}, FrameRecord::kRx));
    EXPECT_EQ(tracker.TakeChanged(), std::vector<uint64_t>{5});
    tracker.Clear();
    EXPECT_EQ(tracker.Add(Q931Frame(kRelComp, {})), 1u);
    EXPECT_EQ(tracker.Count(), 1u);
}
