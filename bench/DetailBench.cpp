// The detail build of every frame of a full store of simulated primary-rate
// D-channel traffic, with every detail switch on and the shipped catalogue.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "base/ProgramFolder.h"
#include "decode/DetailDecoder.h"
#include "options/OptionData.h"
#include "sim/TrafficGenerator.h"
#include "store/FrameRecord.h"

namespace {

constexpr size_t kFrames = 30000;

const std::vector<FrameRecord>& Store() {
    static const std::vector<FrameRecord> store = [] {
        std::vector<FrameRecord> frames;
        frames.reserve(kFrames);
        TrafficGenerator generator(42);
        SimFrame f;
        while (frames.size() < kFrames && generator.Next(f)) {
            std::vector<uint8_t> bytes{0x7E};
            bytes.insert(bytes.end(), f.octets.begin(), f.octets.end());
            bytes.push_back(0x7E);
            FrameRecord r(f.direction);
            r.SetBytes(bytes.data(), bytes.size());
            r.SetIndex(static_cast<int32_t>(frames.size()));
            frames.push_back(std::move(r));
        }
        return frames;
    }();
    return store;
}

const MessageCatalogue& Shipped() {
    static const MessageCatalogue c = [] {
        MessageCatalogue m;
        m.LoadFile(ProgramFolder::Path() + "HDLC.msg");
        return m;
    }();
    return c;
}

void BM_DetailBuildStore(benchmark::State& state) {
    const auto& store = Store();
    const MessageCatalogue& catalogue = Shipped();
    DisplayOptions options = OptionData::DefaultDisplayOptions();
    options.showTitles = options.showIcons = options.showSeparators = 1;
    DetailDecoder decoder;
    std::vector<std::string> items;
    size_t octets = 0;
    for (auto _ : state) {
        for (const FrameRecord& r : store) {
            decoder.Build(r, options, catalogue, items);  // replaces, reusing the strings
            benchmark::DoNotOptimize(items.data());
            octets += r.Length();
        }
    }
    state.counters["frames"] = benchmark::Counter(
        static_cast<double>(state.iterations() * store.size()), benchmark::Counter::kIsRate,
        benchmark::Counter::kIs1000);
    // Time per frame: the inverse of the rate above.
    state.counters["us_per_frame"] = benchmark::Counter(
        static_cast<double>(state.iterations() * store.size()) / 1e6,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["octets_per_frame"] =
        static_cast<double>(octets) / static_cast<double>(state.iterations() * store.size());
}
BENCHMARK(BM_DetailBuildStore)->Unit(benchmark::kMillisecond);

}  // namespace
