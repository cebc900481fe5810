// Converting 30000 simulated frames to pcapng and back, in memory.
#include <benchmark/benchmark.h>

#include <vector>

#include "files/CaptureToTrace.h"
#include "files/PcapngWriter.h"
#include "bench/SimulatedStore.h"
#include "store/FrameStore.h"

namespace {

void BM_ToPcapng(benchmark::State& state) {
    FrameStore store;
    FillSimulated(store);
    std::string file;
    for (auto _ : state) {
        file.clear();
        PcapngWriter writer(file, 1'796'515'200);
        for (size_t i = 0; i < store.Count(); ++i) writer.Append(store.At(i));
        benchmark::DoNotOptimize(file.data());
    }
    state.counters["MB"] = static_cast<double>(file.size()) / 1e6;
}
BENCHMARK(BM_ToPcapng)->Unit(benchmark::kMillisecond);

// The pcapng read back into trace text, as velkdump --to-trace does.
void BM_PcapngToTrace(benchmark::State& state) {
    FrameStore store;
    FillSimulated(store);
    std::string file;
    PcapngWriter writer(file, 1'796'515'200);
    for (size_t i = 0; i < store.Count(); ++i) writer.Append(store.At(i));
    std::string trace, message;
    for (auto _ : state) {
        trace.clear();
        CaptureToTrace::Convert(file, trace, message);
        benchmark::DoNotOptimize(trace.data());
    }
}
BENCHMARK(BM_PcapngToTrace)->Unit(benchmark::kMillisecond);

}  // namespace
