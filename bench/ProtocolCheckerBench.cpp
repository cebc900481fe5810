// The protocol checks of a full store of simulated traffic, beside the call
// tracker as the call feed runs them after a load; and the checks alone,
// given the call numbers.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/SimulatedStore.h"
#include "calls/CallTracker.h"
#include "checks/ProtocolChecker.h"

namespace {

const FrameStore& Store() {
    static FrameStore store;
    if (store.Count() == 0) FillSimulated(store);
    return store;
}

void BM_TrackAndCheckFullStore(benchmark::State& state) {
    const FrameStore& store = Store();
    for (auto _ : state) {
        CallTracker tracker;
        ProtocolChecker checker;
        for (size_t i = 0; i < store.Count(); ++i) checker.Add(store.At(i), tracker.Add(store.At(i)));
        benchmark::DoNotOptimize(checker.Findings().Count());
    }
}
BENCHMARK(BM_TrackAndCheckFullStore)->Unit(benchmark::kMillisecond);

void BM_CheckFullStore(benchmark::State& state) {
    const FrameStore& store = Store();
    std::vector<uint64_t> calls(store.Count());
    CallTracker tracker;
    for (size_t i = 0; i < store.Count(); ++i) calls[i] = tracker.Add(store.At(i));
    for (auto _ : state) {
        ProtocolChecker checker;
        for (size_t i = 0; i < store.Count(); ++i) checker.Add(store.At(i), calls[i]);
        benchmark::DoNotOptimize(checker.Findings().Count());
    }
}
BENCHMARK(BM_CheckFullStore)->Unit(benchmark::kMillisecond);

}  // namespace
