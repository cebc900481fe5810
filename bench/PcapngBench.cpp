// Converting 30000 simulated frames to pcapng and back, in memory.
#include <benchmark/benchmark.h>

#include <vector>

#include "files/CaptureToTrace.h"
#include "files/PcapngWriter.h"
#include "sim/TrafficGenerator.h"
#include "store/FrameStore.h"

namespace {

void Fill(FrameStore& store) {
    TrafficGenerator generator(3);
    SimFrame frame;
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < FrameStore::kCapacity; ++i) {
        generator.Next(frame);
        bytes.assign(1, 0x7E);
        bytes.insert(bytes.end(), frame.octets.begin(), frame.octets.end());
        bytes.push_back(0x7E);
        FrameRecord r(frame.direction);
        r.SetBytes(bytes.data(), bytes.size());
        TimeStamp t;
        t.Set(static_cast<int>(i / 36000 % 24), static_cast<int>(i / 600 % 60), static_cast<int>(i / 10 % 60),
              static_cast<int>(i * 97 % 1000));
        r.SetTime(t);
        store.Add(r, true);
    }
}

void BM_ToPcapng(benchmark::State& state) {
    FrameStore store;
    Fill(store);
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
    Fill(store);
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
