// The channel timeline of 100,000 simulated calls drawn as the window draws
// it, into an image of a usual window's size: the whole span (days of calls
// in a pixel's width each), and an hour of it.
#include <benchmark/benchmark.h>

#include <QImage>

#include "bench/SimulatedCalls.h"
#include "calls/ChannelTimeline.h"
#include "calls/ChannelTimelineView.h"

namespace {

void DrawTimeline(benchmark::State& state, bool hour) {
    const CallTracker& calls = simulatedcalls::Full();
    ChannelTimeline timeline;
    timeline.Build(calls, RestartLog());
    ChannelTimelineView view;
    view.resize(1200, 600);
    view.SetData(timeline, calls);
    if (hour) {
        view.Viewport().ShowFrom((timeline.StartMs() + timeline.EndMs()) / 2);
        view.Viewport().Zoom(static_cast<double>(timeline.EndMs() - timeline.StartMs()) / 3'600'000, 0);
    }
    QImage image(view.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        view.render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["span_h"] = static_cast<double>(view.Viewport().ToMs() - view.Viewport().FromMs()) / 3'600'000;
}

void BM_TimelineDrawnWhole(benchmark::State& state) { DrawTimeline(state, false); }
BENCHMARK(BM_TimelineDrawnWhole)->Unit(benchmark::kMillisecond);

void BM_TimelineDrawnHour(benchmark::State& state) { DrawTimeline(state, true); }
BENCHMARK(BM_TimelineDrawnHour)->Unit(benchmark::kMillisecond);

}  // namespace
