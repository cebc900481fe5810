// The frame list's text export without details: a full store of simulated
// primary-rate D-channel traffic, default display options, the shipped
// catalogue, written to /dev/null.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <vector>

#include "files/ListExport.h"
#include "options/OptionData.h"
#include "sim/TrafficGenerator.h"

namespace {

void FillFromGenerator(FrameStore& store) {
    TrafficGenerator generator(7);
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
        t.Set(static_cast<int>(i / 36000 % 24), static_cast<int>(i / 600 % 60),
              static_cast<int>(i / 10 % 60), static_cast<int>(i * 97 % 1000));
        r.SetTime(t);
        store.Add(r, true);
    }
}

class NoDetails : public DetailSource {
public:
    bool Build(const FrameRecord&, const DisplayOptions&, std::vector<std::string>&) override {
        return false;
    }
};

void BM_ListExportRowsOnly(benchmark::State& state) {
    static FrameStore store;
    if (store.Count() == 0) FillFromGenerator(store);
    DisplayOptions options = OptionData::DefaultDisplayOptions();
    options.exportDetail = 0;
    const MessageCatalogue& catalogue = MessageCatalogue::Program();
    NoDetails details;
    int fd = ::open("/dev/null", O_WRONLY);
    for (auto _ : state) {
        if (!ListExport::ExportList(store, options, catalogue, details, fd))
            state.SkipWithError("export failed");
    }
    ::close(fd);
    state.counters["frames"] = static_cast<double>(store.Count());
}
BENCHMARK(BM_ListExportRowsOnly)->Unit(benchmark::kMillisecond);

}  // namespace
