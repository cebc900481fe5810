// The calls of a full store of simulated traffic, tracked frame by frame as
// the main window does after a load: with the frame checks already cached
// in the records, and with records fresh from a file, whose checks the
// tracker computes.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/SimulatedStore.h"
#include "calls/CallTracker.h"

namespace {

const FrameStore& Store() {
    static FrameStore store;
    if (store.Count() == 0) FillSimulated(store);
    return store;
}

void BM_TrackFullStore(benchmark::State& state) {
    const FrameStore& store = Store();
    for (auto _ : state) {
        CallTracker tracker;
        for (size_t i = 0; i < store.Count(); ++i) tracker.Add(store.At(i));
        benchmark::DoNotOptimize(tracker.Count());
    }
}
BENCHMARK(BM_TrackFullStore)->Unit(benchmark::kMillisecond);

void BM_TrackFullStoreUnchecked(benchmark::State& state) {
    const FrameStore& store = Store();
    std::vector<FrameRecord> fresh(store.Count());
    for (auto _ : state) {
        state.PauseTiming();
        for (size_t i = 0; i < store.Count(); ++i) {
            const FrameRecord& r = store.At(i);
            fresh[i] = FrameRecord(r.Direction());
            fresh[i].SetBytes(r.Bytes(), r.Length());
            fresh[i].SetTime(r.Time());
            fresh[i].SetIndex(r.Index());
        }
        state.ResumeTiming();
        CallTracker tracker;
        for (const FrameRecord& r : fresh) tracker.Add(r);
        benchmark::DoNotOptimize(tracker.Count());
    }
}
BENCHMARK(BM_TrackFullStoreUnchecked)->Unit(benchmark::kMillisecond);

}  // namespace
