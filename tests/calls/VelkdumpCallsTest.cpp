// velkdump --calls over simulated traffic of more frames than a store holds,
// across midnight, against an account of the same frames kept here with the
// list's decoders: one call per SETUP (the simulator never repeats one), times
// from the frames' distance, 50 ms apart.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "calls/CallCsv.h"
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
    ASSERT_TRUE(seen.count(0) && seen.count(1) && seen.count(2) && calls.size() > 1000);

    TempFolder dir;
    const std::string in = dir.Path() + "/in.vkt", csv = dir.Path() + "/calls.csv", out = dir.Path() + "/out";
    const std::string velkdump = VelksimProcess::Program("velkdump");
    ASSERT_TRUE(WriteFile(in, trace));
    ASSERT_EQ(RunProgram({velkdump, in, "--calls", "-o", csv}, out, out, 60000), 0);
    const std::string rows = ReadFile(csv);
    size_t at = CallCsv::Header().size(), n = 0;
    for (size_t end; (end = rows.find("\r\n", at)) != std::string::npos && n < calls.size(); at = end + 2, ++n)
        ASSERT_EQ(Columns(rows.substr(at, end - at)), Columns(calls[n])) << "call " << n + 1;
    EXPECT_TRUE(at == rows.size() && n == calls.size());
    // Standard output has the same; a missing input gives 1, an output that cannot be made 2.
    EXPECT_EQ(RunProgram({velkdump, "--calls", in}, out, out + ".err", 60000), 0);
    EXPECT_EQ(ReadFile(out), rows);
    EXPECT_EQ(RunProgram({velkdump, in + "x", "--calls"}, out, out + ".err", 60000), 1);
    EXPECT_EQ(RunProgram({velkdump, in, "--calls", "-o", in + "/x"}, out, out + ".err", 60000), 2);
}
