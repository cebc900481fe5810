// The frame list's text export without details: a full store of simulated
// primary-rate D-channel traffic, default display options, the shipped
// catalogue, written to /dev/null.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <vector>

#include "files/ListExport.h"
#include "options/OptionData.h"
#include "bench/SimulatedStore.h"

namespace {

class NoDetails : public DetailSource {
public:
    bool Build(const FrameRecord&, const DisplayOptions&, std::vector<std::string>&) override {
        return false;
    }
};

void BM_ListExportRowsOnly(benchmark::State& state) {
    static FrameStore store;
    if (store.Count() == 0) FillSimulated(store);
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
