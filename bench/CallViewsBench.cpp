// The call views over a tracker full of simulated calls (100,000, the
// tracker's bound, as the program holds them): the statistics with their
// CSV, the channel timeline built afresh and asked for the bars of an hour
// on every row, and the ladder of a long call.
#include <benchmark/benchmark.h>

#include "bench/SimulatedCalls.h"
#include "calls/CallStatisticsCsv.h"
#include "calls/ChannelTimeline.h"
#include "calls/LadderModel.h"

namespace {

using simulatedcalls::Full;

void BM_StatisticsOf100kCalls(benchmark::State& state) {
    const CallTracker& calls = Full();
    CallStatistics stats;
    stats.SetPrefixes({"03", "06", "0120", "090", "080"});
    for (auto _ : state) {
        stats.Build(calls);
        benchmark::DoNotOptimize(CallStatisticsCsv::Text(stats, MessageCatalogue::Program()));
    }
    state.counters["calls"] = static_cast<double>(calls.Count());
}
BENCHMARK(BM_StatisticsOf100kCalls)->Unit(benchmark::kMillisecond);

void BM_TimelineOf100kCalls(benchmark::State& state) {
    const CallTracker& calls = Full();
    const RestartLog restarts;
    ChannelTimeline timeline;
    for (auto _ : state) {
        timeline.Build(calls, restarts);
        benchmark::DoNotOptimize(timeline.Collisions().size());
    }
    size_t bars = 0;
    for (int c = ChannelTimeline::kFirstChannel; c <= ChannelTimeline::kLastChannel; ++c) bars += timeline.Bars(c).size();
    state.counters["bars"] = static_cast<double>(bars);
}
BENCHMARK(BM_TimelineOf100kCalls)->Unit(benchmark::kMillisecond);

// What the window asks for one view: the bars of every row in an hour
// halfway through the span.
void BM_TimelineHourOnEveryRow(benchmark::State& state) {
    ChannelTimeline timeline;
    timeline.Build(Full(), RestartLog());
    const int64_t from = (timeline.StartMs() + timeline.EndMs()) / 2, to = from + 3'600'000;
    size_t shown = 0;
    for (auto _ : state) {
        shown = 0;
        for (int c = ChannelTimeline::kFirstChannel; c <= timeline.LastRow(); ++c)
            shown += timeline.BarsIn(c, from, to).size();
        benchmark::DoNotOptimize(shown);
    }
    state.counters["bars"] = static_cast<double>(shown);
}
BENCHMARK(BM_TimelineHourOnEveryRow)->Unit(benchmark::kMicrosecond);

// The call with the most messages, and its text.
void BM_LadderOfTheLongestCall(benchmark::State& state) {
    const CallTracker& calls = Full();
    const CallRecord* longest = &calls.At(0);
    for (const CallRecord& c : calls)
        if (c.steps.Total() > longest->steps.Total()) longest = &c;
    for (auto _ : state) {
        LadderModel ladder(MessageCatalogue::Program());
        ladder.Add(*longest);
        benchmark::DoNotOptimize(ladder.Text("TX", "RX"));
    }
    state.counters["messages"] = static_cast<double>(longest->steps.Total());
}
BENCHMARK(BM_LadderOfTheLongestCall)->Unit(benchmark::kMicrosecond);

}  // namespace
