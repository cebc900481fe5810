// velkdump --calls and --call-stats over simulated traffic of more frames than a store holds,
// across midnight, against an account of the same frames kept here with the
// list's decoders: one call per SETUP (the simulator never repeats one), times
// from the frames' distance, 50 ms apart.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "calls/CallCsv.h"
#include "calls/CallStatisticsCsv.h"
#include "decode/Layer3Fields.h"
#include "tests/calls/SimulatedFrames.h"
#include "store/TraceText.h"
#include "tests/support/TestSupport.h"
#include "tests/support/VelksimProcess.h"

using namespace testsupport;

namespace {

struct Account {
    int first, last, frames = 0, cr, alert = -1, connect = -1, clear = -1, clearSide = 0;
    uint8_t origin = 0;
    bool connected = false, alerted = false;
};

std::string After(int from, int to) { return from < 0 || to < 0 ? "" : std::to_string((to - from) * 50); }

// 開始INDEX, 終了INDEX, フレーム数, 呼番号, 発信側, 呼出まで, 応答まで, 通話, 切断側, 結果
std::string Columns(const Account& a) {
    const char* sides[] = {"TX", "RX"};
    const char* result = a.clear < 0 ? "継続中" : a.connected ? "完了"
                       : a.clearSide != a.origin ? "拒否" : a.alerted ? "不応答" : "放棄";
    return TraceText::IndexText(a.first) + " " + TraceText::IndexText(a.last) + " " + std::to_string(a.frames) + " " +
           std::to_string(a.cr) + " " + sides[a.origin] + " " + After(a.first, a.alert) + " " + After(a.first, a.connect) +
           " " + (a.connected ? After(a.connect, a.clear) : "") + " " + (a.clear < 0 ? "" : sides[a.clearSide]) + " " +
           Sjis(result);
}

std::string Columns(const std::string& row) {
    std::vector<std::string> f(1);
    for (char c : row) c == ',' ? f.emplace_back() : f.back() += c;
    std::string out;
    for (int i : {1, 2, 3, 4, 6, 12, 13, 14, 15, 20}) out += (out.empty() ? "" : " ") + f.at(i);
    return out;
}

}  // namespace

TEST(VelkdumpCalls, EveryCallOfSimulatedTrafficAsTheFramesTellIt) {
    TrafficGenerator generator(22);
    std::string trace;
    std::vector<Account> calls;
    std::map<int, size_t> open;  // call reference * 2 + originating side -> call
    for (int i = 0; i < 40000; ++i) {
        FrameRecord r = NextSimulatedFrame(generator, 84'600'000 + 50 * i);  // from 23:30 on
        TraceText::AppendRecordText(trace, r);

        const FrameLayout f(r);
        if (!r.CheckCrc() || f.Sapi() != 0 || !f.IsIFrame() || f.InfoOctet(0) != 0x08 || f.CallReference() <= 0) continue;
        const int type = Layer3Fields::MessageType(f);
        const uint8_t origin = f.InfoOctet(2) & 0x80 ? 1 - r.Direction() : r.Direction();
        const int key = f.CallReference() * 2 + origin;
        if (type == 0x05) {
            open[key] = calls.size();
            calls.push_back({.first = i, .last = i, .cr = f.CallReference(), .origin = origin});
        }
        Account& a = calls.at(open.at(key));
        a.last = i;
        ++a.frames;
        if (type == 0x01 && a.alert < 0) a.alert = i;
        if (type == 0x07 && a.connect < 0) a.connect = i;
        if (type != 0x45 && type != 0x4D && type != 0x5A) continue;
        if (a.clear < 0)
            std::tie(a.clear, a.clearSide, a.connected, a.alerted) = std::tuple(i, r.Direction(), a.connect >= 0, a.alert >= 0);
        if (type == 0x5A) open.erase(key);
    }
    // The traffic is worth the comparison: calls overlap and both sides clear.
    std::set<int> seen;  // the sides that cleared a call; 2 once a call began before the one before it ended
    for (size_t n = 1; n < calls.size(); ++n)
        seen.insert({calls[n].clear < 0 ? -1 : calls[n].clearSide, calls[n].first < calls[n - 1].last ? 2 : -1});
    ASSERT_TRUE(seen.contains(0));
    ASSERT_TRUE(seen.contains(1));
    ASSERT_TRUE(seen.contains(2));
    ASSERT_GT(calls.size(), 1000u);

    TempFolder dir;
    const std::string in = dir.Path() + "/in.vkt", csv = dir.Path() + "/calls.csv", out = dir.Path() + "/out";
    const std::string velkdump = VelksimProcess::Program("velkdump");
    ASSERT_TRUE(WriteFile(in, trace));
    ASSERT_EQ(RunProgram({velkdump, in, "--calls", "-o", csv}, out, out, 60000), 0);
    const std::string rows = ReadFile(csv);
    size_t at = CallCsv::Header().size(), n = 0;
    for (size_t end; (end = rows.find("\r\n", at)) != std::string::npos && n < calls.size(); at = end + 2, ++n)
        ASSERT_EQ(Columns(rows.substr(at, end - at)), Columns(calls[n])) << "call " << n + 1;
    EXPECT_EQ(at, rows.size());
    EXPECT_EQ(n, calls.size());
    // Standard output has the same; a missing input gives 1, an output that cannot be made 2.
    EXPECT_EQ(RunProgram({velkdump, "--calls", in}, out, out + ".err", 60000), 0);
    EXPECT_EQ(ReadFile(out), rows);
    EXPECT_EQ(RunProgram({velkdump, in + "x", "--calls"}, out, out + ".err", 60000), 1);
    EXPECT_EQ(RunProgram({velkdump, in, "--calls", "-o", in + "/x"}, out, out + ".err", 60000), 2);
}

// Three inputs as one run: the tables of a tracker fed the same frames, the
// first one's counts those of the results --calls writes.
TEST(VelkdumpCalls, StatisticsOfSeveralInputsAsOneRun) {
    TrafficGenerator generator(5);
    TempFolder dir;
    const std::string velkdump = VelksimProcess::Program("velkdump"), out = dir.Path() + "/out";
    const std::string stats = dir.Path() + "/stats.csv", calls = dir.Path() + "/calls.csv";
    std::vector<std::string> args{velkdump};
    CallTracker tracker(CallTracker::kUnbounded);
    std::string traces[3];
    for (int i = 0; i < 18000; ++i) {
        const FrameRecord r = NextSimulatedFrame(generator, 84'600'000 + 100 * i);
        TraceText::AppendRecordText(traces[i / 6000], r);
        tracker.Add(r);
    }
    for (const std::string& trace : traces) ASSERT_TRUE(WriteFile(args.emplace_back(out + std::to_string(args.size())), trace));
    CallStatistics expected;
    expected.SetPrefixes({"03", "0312", "090"});
    expected.Build(tracker);
    ASSERT_EQ(RunProgram({velkdump, args[1], args[2], args[3], "--call-stats", "--prefix", "03,0312,090", "-o", stats}, out, out, 60000), 0);
    const std::string text = ReadFile(stats);
    EXPECT_EQ(text, CallStatisticsCsv::Text(expected, MessageCatalogue::Program()));

    ASSERT_EQ(RunProgram({velkdump, args[1], args[2], args[3], "--calls", "-o", calls}, out, out, 60000), 0);
    const std::string rows = ReadFile(calls);
    std::string section = Sjis("結果別の呼数\r\n結果,件数\r\n");
    for (const char* name : {"完了", "拒否", "不応答", "放棄", "未解放", "継続中"}) {
        size_t count = 0;
        for (size_t at = 0; (at = rows.find("," + Sjis(name) + ",", at) + 1) != 0;) ++count;
        section += Sjis(name) + "," + std::to_string(count) + "\r\n";
    }
    EXPECT_EQ(text.substr(0, text.find("\r\n\r\n") + 2), section);
    EXPECT_EQ(section.find(Sjis("完了,0\r\n")), std::string::npos);
    EXPECT_EQ(section.find(Sjis("拒否,0\r\n")), std::string::npos);
    // A prefix is digits, "*" or "#"; --prefix belongs to --call-stats.
    for (const char* bad : {"03,,1", "03,1x"})
        EXPECT_EQ(RunProgram({velkdump, args[1], "--call-stats", "--prefix", bad}, out, out, 60000), 2) << bad;
    EXPECT_EQ(RunProgram({velkdump, args[1], "--call-stats", "--prefix", "*1,#2", "-o", stats}, out, out, 60000), 0);
    EXPECT_EQ(RunProgram({velkdump, args[1], "--calls", "--prefix", "03"}, out, out, 60000), 2);
}
