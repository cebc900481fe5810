// The searches over a full store of simulated primary-rate traffic, every
// column searched: a text search that finds nothing with the window's events
// handled after every frame, and a batch search of the same text.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <vector>

#include "base/Cp932.h"
#include "options/OptionData.h"
#include "search/FrameSearch.h"
#include "bench/SimulatedStore.h"

namespace {

const FrameStore& SimulatedStore() {
    static FrameStore store;
    if (store.Count() != 0) return store;
    FillSimulated(store);
    return store;
}

struct Search {
    DisplayOptions options = OptionData::DefaultDisplayOptions();
    SearchRequest request;
    SearchRange range;
    Search() {
        options.searchHiddenText = 1;
        OptionData::ApplySearchColumns(options);
        request.text = VELK_SJIS("発番号=\"99999999\"");
        range = SearchRange::For(SimulatedStore().Count(), 1, true, false);
    }
};

void BM_TextSearchNothingFoundEventsEveryFrame(benchmark::State& state) {
    const Search s;
    for (auto _ : state) {
        const int64_t found = FrameSearch::Find(SimulatedStore(), s.options, s.request, s.range, [](int32_t) {
            QCoreApplication::processEvents();
            return true;
        });
        if (found != FrameSearch::kNotFound) state.SkipWithError("found");
    }
}
BENCHMARK(BM_TextSearchNothingFoundEventsEveryFrame)->Unit(benchmark::kMillisecond);

void BM_BatchSearch(benchmark::State& state) {
    const Search s;
    for (auto _ : state) benchmark::DoNotOptimize(FrameSearch::Collect(SimulatedStore(), s.options, s.request, s.range));
}
BENCHMARK(BM_BatchSearch)->Unit(benchmark::kMillisecond);

}  // namespace
