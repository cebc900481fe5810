// The print settings dialog's page count: a full store of simulated
// primary-rate D-channel traffic, default display options, the shipped
// catalogue, the list font on a 1200 dpi A4 PDF printer, and pending events
// handled after every frame as the dialog does.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QPrinter>

#include "options/OptionData.h"
#include "print/PaperFont.h"
#include "print/PrintPagePlan.h"
#include "bench/SimulatedStore.h"
#include "ui/WindowFonts.h"

namespace {

void BM_PrintPageCount30000Frames(benchmark::State& state) {
    FrameStore store;
    FillSimulated(store);
    const DisplayOptions options = OptionData::DefaultDisplayOptions();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QFont font = PaperFont::ForPrinter(WindowFonts::ListFont(), printer);
    PrintPagePlan plan;
    plan.Reserve(store.Count());
    for (auto _ : state) {
        const int lineHeight = PaperFont::LineHeight(font, printer);
        plan.Count(store, options, lineHeight, printer.height(), [](int) {
            QCoreApplication::processEvents();
            return true;
        });
    }
    state.counters["pages"] = plan.PageCount();
}
BENCHMARK(BM_PrintPageCount30000Frames)->Unit(benchmark::kMillisecond);

}  // namespace
