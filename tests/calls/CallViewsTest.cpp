// What the call views are built from: the messages a call keeps, the
// restarts, the channel timeline, the statistics and their CSV, the ladder
// and its captions file. One span of calls and restarts across midnight
// (CallFrames.h) serves the timeline, the statistics and the ladder; its
// figures are counted by hand below.
#include <gtest/gtest.h>

#include "calls/CallFeed.h"
#include "calls/CallReport.h"
#include "calls/CallStatisticsCsv.h"
#include "calls/ChannelTimeline.h"
#include "calls/LadderCaptions.h"
#include "calls/LadderLayout.h"
#include "calls/LadderModel.h"
#include "tests/calls/CallFrames.h"

using namespace testsupport;
using namespace callframes;

namespace {

constexpr int kT0 = kSpanStart;  // 23:00:00.000
const MessageCatalogue kNames = Catalogue("IF_MESSAGE:\n0x01=\"ALERT\"\n0x05=\"SETUP\"\n0x45=\"DISC\"\n"
                                          "IF_CA_CA:\n0x10=\"正常, 切断\"\n");

CallFeed& Span() {
    static CallFeed feed = [] {
        CallFeed f;
        SpanFrames([&](const FrameRecord& r) { f.Take(r); });
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
    ASSERT_EQ(steps.Count(), 80u);
    EXPECT_EQ(steps.Omitted(), 20u);
    EXPECT_EQ(steps.Total(), 100u);
    EXPECT_EQ(steps[1].type, kSetup);
    EXPECT_EQ(steps[63].index, 63);
    EXPECT_EQ(steps[64].index, 84);
    EXPECT_EQ(steps[79].index, 99);
    EXPECT_EQ(steps[0].Ms(), 86'399'800);
    EXPECT_EQ(steps[79].Ms(), 86'409'700);
    EXPECT_EQ(steps[79].Time().Format(), "00:00:09.700");
    EXPECT_EQ(steps[79].side, FrameRecord::kRx);
    EXPECT_EQ(steps[79].cause, 16);
    EXPECT_EQ(steps[79].location, 2);
    EXPECT_FALSE(steps[78].HasCause());

    LadderModel ladder(kNames);
    ladder.Add(tracker.At(0));
    ASSERT_EQ(ladder.Arrows().size(), 81u);
    EXPECT_EQ(ladder.Line(ladder.Arrows()[64], "TX", "RX"), Sjis("              ... 20件省略 ..."));
    EXPECT_EQ(ladder.Line(ladder.Arrows()[65], "TX", "RX"), "00:00:08.200  TX --> RX  0x7B");
    EXPECT_EQ(ladder.Arrows()[65].delta, "+2.100s");
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
    EXPECT_EQ(log.At(0).index, 1);
    EXPECT_EQ(log.At(0).channels.Text(), "3");
    EXPECT_FALSE(log.At(0).wholeInterface);
    EXPECT_EQ(log.At(0).ms, 86'400'100);
    EXPECT_EQ(log.At(0).side, FrameRecord::kTx);
    EXPECT_TRUE(log.At(1).wholeInterface);
    EXPECT_TRUE(log.At(1).channels.Empty());
    EXPECT_TRUE(log.At(2).wholeInterface);

    CallFeed feed;
    feed.Take(frames[0]);
    feed.Clear();
    EXPECT_EQ(feed.Restarts().Count(), 0u);
    const RestartLog& restarts = Span().Restarts();
    ASSERT_EQ(restarts.Count(), 2u);
    EXPECT_EQ(restarts.At(0).ms, kT0 + 3'602'000);
    EXPECT_EQ(restarts.At(1).time.Format(), "00:00:02.500");
}

TEST(ChannelTimeline, BarsCollisionsRestartsAndQueries) {
    ChannelTimeline timeline;
    timeline.Build(Span().Tracker(), Span().Restarts());
    const int64_t end = kT0 + 3'601'700;  // the last call frame
    EXPECT_EQ(timeline.LastRow(), 24);
    EXPECT_EQ(timeline.StartMs(), kT0);
    EXPECT_EQ(timeline.EndMs(), kT0 + 3'602'500);
    const auto& one = timeline.Bars(1);
    ASSERT_EQ(one.size(), 2u);
    EXPECT_EQ(one[0].call, 1u);
    EXPECT_EQ(one[0].endMs, kT0 + 1400);
    EXPECT_EQ(one[0].reachMs, end);
    EXPECT_TRUE(one[0].open);
    EXPECT_TRUE(one[0].collision);
    EXPECT_EQ(one[1].call, 2u);
    EXPECT_EQ(one[1].reachMs, kT0 + 1800);
    EXPECT_FALSE(one[1].open);
    EXPECT_TRUE(one[1].collision);
    EXPECT_EQ(one[1].result, CallRecord::kNoAnswer);
    EXPECT_TRUE(timeline.Bars(24)[0].open);
    ASSERT_EQ(timeline.Bars(2).size(), 2u);
    EXPECT_FALSE(timeline.Bars(2)[0].collision);
    EXPECT_FALSE(timeline.Bars(2)[1].collision);
    ASSERT_EQ(timeline.Collisions().size(), 1u);
    const ChannelTimeline::Collision& c = timeline.Collisions()[0];
    EXPECT_EQ(c.channel, 1);
    EXPECT_EQ(c.earlier, 1u);
    EXPECT_EQ(c.later, 2u);
    EXPECT_EQ(c.fromMs, kT0 + 500);
    EXPECT_EQ(c.toMs, kT0 + 1800);
    ASSERT_EQ(timeline.Marks().size(), 2u);
    EXPECT_EQ(timeline.Marks()[0].channel, ChannelTimeline::kEveryRow);
    EXPECT_EQ(timeline.Marks()[0].index, 21);  // the interface restart, just before the channel one
    EXPECT_EQ(timeline.Marks()[1].channel, 2);
    EXPECT_EQ(timeline.Marks()[1].index, 22);

    EXPECT_EQ(timeline.BarsIn(1, kT0 + 1900, kT0 + 2000), std::vector<size_t>{0});
    EXPECT_EQ(timeline.BarsIn(2, kT0, kT0 + 1999), std::vector<size_t>{});
    EXPECT_EQ(timeline.BarsIn(2, kT0 + 2200, kT0 + 2200), (std::vector<size_t>{0, 1}));
    EXPECT_EQ(timeline.BarsIn(2, kT0 + 2201, end), std::vector<size_t>{1});
    EXPECT_EQ(timeline.CallAt(1, kT0 + 1000), 2u);
    EXPECT_EQ(timeline.CallAt(1, kT0 + 200), 1u);
    EXPECT_EQ(timeline.CallAt(3, kT0), 0u);
    EXPECT_EQ(timeline.CallAt(1, kT0 - 100, 99), 0u);
    EXPECT_EQ(timeline.CallAt(1, kT0 - 100, 100), 1u);
    CallTracker odd;  // stamped past 24 h, then the next day: the later call begins first on the clock
    TimeStamp late;
    late.Set(30, 0, 0, 0);
    FrameRecord first = StepFrame(O(kSetup, Channel(3)), 0, 0);
    first.SetTime(late);
    for (const FrameRecord& r : {first, StepFrame(O(kSetup, Channel(3), 2), 1000, 1)}) odd.Add(r);
    timeline.Build(odd, RestartLog());
    EXPECT_EQ(timeline.Bars(3)[0].call, 2u);
    timeline.Build(CallTracker(), RestartLog());
    EXPECT_EQ(timeline.LastRow(), 23);
    EXPECT_TRUE(timeline.Bars(1).empty());
    EXPECT_TRUE(timeline.Collisions().empty());
}

TEST(CallStatistics, TablesOfAHandCountedSpan) {
    std::vector<int64_t> values(20);
    for (int i = 0; i < 20; ++i) values[static_cast<size_t>(i)] = (i * 7) % 20 + 1;  // 1..20 shuffled
    CallStatistics::Figures f = CallStatistics::FiguresOf(values);
    EXPECT_EQ(f.count, 20u);
    EXPECT_EQ(f.min, 1);
    EXPECT_EQ(f.median, 10);
    EXPECT_EQ(f.p95, 19);
    EXPECT_EQ(f.max, 20);
    values.push_back(21);
    f = CallStatistics::FiguresOf(values);
    EXPECT_EQ(f.median, 11);
    EXPECT_EQ(f.p95, 20);

    CallStatistics stats;
    stats.SetPrefixes({"03", "0312", "0", "03"});
    stats.Build(Span().Tracker());
    std::string channels;
    for (int c = 3; c <= 23; ++c) channels += std::to_string(c) + ",0,0\r\n";
    EXPECT_EQ(Cp932::ToUtf8(CallStatisticsCsv::Text(stats, kNames)),
              "結果別の呼数\r\n結果,件数\r\n完了,2\r\n拒否,1\r\n不応答,1\r\n放棄,0\r\n未解放,0\r\n継続中,2\r\n\r\n"
              "切断理由別の呼数\r\n理由,位置,切断側,理由名,件数\r\n16,0,TX,\"正常, 切断\",1\r\n16,2,TX,\"正常, 切断\",1\r\n"
              "16,10,RX,\"正常, 切断\",1\r\n17,3,RX,0x11,1\r\n\r\n"
              "SETUPからALERTINGまで(ms)\r\n着番号,件数,最小,中央値,95%,最大\r\n全体,4,100,200,700,700\r\n03,1,400,400,400,400\r\n"
              "0312,2,100,100,200,200\r\n0,0,,,,\r\n03,0,,,,\r\nその他,1,700,700,700,700\r\n\r\n"
              "通話時間(ms)\r\n着番号,件数,最小,中央値,95%,最大\r\n全体,2,1000,1000,3598000,3598000\r\n03,0,,,,\r\n"
              "0312,2,1000,1000,3598000,3598000\r\n0,0,,,,\r\n03,0,,,,\r\nその他,0,,,,\r\n\r\n"
              "時間帯別の呼数\r\n日,時,件数\r\n0,23,4\r\n1,0,2\r\n\r\n"
              "Bチャネル使用時間\r\nチャネル,使用時間(ms),呼数\r\n1,3603000,2\r\n2,3598700,2\r\n24,700,1\r\n" + channels);
    // Fed a call at a time, newest first, the tables come out the same.
    const std::string built = CallStatisticsCsv::Text(stats, kNames);
    stats.Start();
    for (size_t p = Span().Tracker().Count(); p-- > 0;) stats.Add(Span().Tracker().At(p), Span().Tracker().NowMs());
    stats.Finish();
    EXPECT_EQ(CallStatisticsCsv::Text(stats, kNames), built);
}

TEST(LadderModel, TwoCallsInterleavedInTime) {
    LadderModel ladder(kNames);
    ladder.Add(*Span().Tracker().Find(2));
    ladder.Add(*Span().Tracker().Find(1));
    EXPECT_EQ(Cp932::ToUtf8(ladder.Text("PBX", Sjis("網"))),
              "23:00:00.000  #1  PBX --> 網  SETUP\r\n"
              "23:00:00.100  #1  PBX <-- 網  ALERT\r\n"
              "23:00:00.300  #1  PBX <-- 網  0x07\r\n"
              "23:00:00.500  #2  PBX --> 網  SETUP\r\n"
              "23:00:00.900  #2  PBX <-- 網  ALERT\r\n"
              "23:00:01.300  #1  PBX <-- 網  DISC  CV=16 LOC=10 正常, 切断\r\n"
              "23:00:01.400  #1  PBX --> 網  0x4D\r\n"
              "23:00:01.600  #2  PBX --> 網  DISC  CV=16 LOC=0 正常, 切断\r\n"
              "23:00:01.700  #2  PBX <-- 網  0x4D\r\n"
              "23:00:01.800  #2  PBX --> 網  0x5A\r\n");
    const auto& arrows = ladder.Arrows();
    EXPECT_TRUE(arrows[0].delta.empty());
    EXPECT_EQ(arrows[0].colour, 1);
    EXPECT_EQ(arrows[3].colour, 0);
    EXPECT_EQ(arrows[3].deltaMs, 200);
    EXPECT_EQ(arrows[3].delta, "+0.200s");
    EXPECT_EQ(arrows[3].index, 3);
    ladder.Clear();  // a new selection starts again at the first colour
    ladder.Add(*Span().Tracker().Find(2));
    EXPECT_EQ(std::pair(arrows.size(), arrows[0].colour), std::pair(size_t{5}, 0));
}

// Rows of 10-unit lines: two lines and 6 units each, three lines and 9 with a cause.
TEST(LadderLayout, RowsFoundByYAndSplitIntoPages) {
    LadderModel ladder(kNames);
    LadderLayout layout;
    layout.Build(ladder, {10, 100, 300, 40, 600});
    EXPECT_EQ(layout.Pages(100), std::vector<LadderLayout::Span>({{0, 0}}));
    EXPECT_EQ(std::pair(layout.Width(), layout.HeadHeight()), std::pair(616, 52));  // the legend with its margins
    ladder.Add(*Span().Tracker().Find(3));  // SETUP, RELEASE COMPLETE with a cause
    ladder.Add(*Span().Tracker().Find(4));  // SETUP, ALERT, CONNECT, DISC with a cause, REL, RELEASE COMPLETE
    layout.Build(ladder, {10, 100, 300, 40, 0});
    EXPECT_EQ(std::vector<int>({layout.TxX(), layout.RxX(), layout.Width(), layout.HeadHeight(), layout.Height()}),
              std::vector<int>({152, 484, 520, 34, 234}));
    EXPECT_EQ(layout.RowAt(1).top, 26);
    EXPECT_EQ(layout.RowAt(1).arrowY, 41);
    EXPECT_EQ(layout.RowAt(6).top, 182);
    std::vector<size_t> rows;
    for (int y : {-1, 0, 25, 26, 64, 65, 233, 234}) rows.push_back(layout.RowAtY(y));
    EXPECT_EQ(rows, (std::vector<size_t>{LadderLayout::kNoRow, 0, 0, 1, 1, 2, 7, LadderLayout::kNoRow}));
    EXPECT_EQ(layout.RowsIn(30, 65), LadderLayout::Span({1, 2}));
    EXPECT_EQ(layout.RowsIn(25, 27), LadderLayout::Span({0, 2}));
    EXPECT_EQ(layout.RowsIn(234, 300), LadderLayout::Span({8, 8}));
    EXPECT_EQ(layout.Pages(65), (std::vector<LadderLayout::Span>{{0, 2}, {2, 4}, {4, 6}, {6, 8}}));
    // A row higher than the page stands alone.
    const std::vector<LadderLayout::Span> pages = layout.Pages(30);
    ASSERT_EQ(pages.size(), 8u);
    EXPECT_EQ(pages[1], LadderLayout::Span({1, 2}));
}

TEST(LadderCaptions, RoundTripAndBrokenFiles) {
    TempFolder folder;
    const std::string path = folder.Path() + "/" + LadderCaptions::kFileName;
    LadderCaptions captions;
    EXPECT_EQ(captions.Load(path), LadderCaptions::kNoFile);
    captions.tx = "PBX";
    captions.rx = Sjis("網");
    ASSERT_EQ(captions.Save(path), LadderCaptions::kSaved);
    EXPECT_EQ(ReadFile(path), "TX=PBX\r\nRX=" + Sjis("網") + "\r\n");
    LadderCaptions read;
    EXPECT_EQ(read.Load(path), LadderCaptions::kRead);
    EXPECT_EQ(read.tx, "PBX");
    EXPECT_EQ(read.rx, Sjis("網"));
    for (const char* bad : {"", "\x81\x7F", "\x81"}) {  // empty, a lead byte with no trail byte after it
        captions.rx = bad;
        EXPECT_EQ(captions.Save(path), LadderCaptions::kInvalid);
    }
    EXPECT_EQ(LadderCaptions().Save(folder.Path() + "/none/ladder.ini"), LadderCaptions::kUnwritable);
    ASSERT_TRUE(WriteFile(path, "RX=b\nTX=a"));
    EXPECT_EQ(read.Load(path), LadderCaptions::kRead);
    EXPECT_EQ(read.tx, "a");
    EXPECT_EQ(read.rx, "b");
    const std::string broken[] = {"TX=a\r\n", "TX=a\r\nRX=b\r\nTX=c\r\n", "TX=a\r\nRX=\x81\r\n", "TX=a\r\nRX=b\tc\r\n",
                                  "TX=a\r\nRX=b\r\nX\r\n", "TX=\x7F\r\nRX=b", "TX=a\r\nRX=" + std::string(33, 'b') + "\r\n",
                                  "TX=a\r\nRX=b" + std::string(LadderCaptions::kMaxFile, '\n')};
    for (const std::string& file : broken) {
        ASSERT_TRUE(WriteFile(path, file));
        EXPECT_EQ(read.Load(path), LadderCaptions::kBroken) << file;
        EXPECT_EQ(read.tx, "TX") << file;
        EXPECT_EQ(read.rx, "RX") << file;
    }
}

TEST(CallReport, TheFramesOfTheCallOnly) {
    // Call 1 (TX, cr 1) and call 2 (RX, cr 1) interleaved; the store lost call 1's ALERTING.
    const Step rxSetup{FrameRecord::kRx, false, kSetup, {}, 1}, txConnect{FrameRecord::kTx, true, kConnect, {}, 1};
    const Step steps[] = {O(kSetup), rxSetup, D(kAlert), O(kDisc, Cause(0, 16)), txConnect, D(kRel), O(kRelComp)};
    CallTracker tracker;
    FrameStore store, frames;
    for (int i = 0; i < 7; ++i) {
        FrameRecord r = StepFrame(steps[i], kT0 + 100 * i, i);
        if (tracker.Add(r) && i != 2) store.Add(r, false);
    }
    EXPECT_EQ(CallReport::CollectFrames(*tracker.Find(1), store, frames), 1u);
    ASSERT_EQ(frames.Count(), 4u);
    EXPECT_EQ(frames.At(0).Index(), 0);
    EXPECT_EQ(frames.At(1).Index(), 3);
    EXPECT_EQ(frames.At(2).Index(), 5);
    EXPECT_EQ(frames.At(3).Index(), 6);
}
