// The detail window of a 260-octet SETUP with the shipped catalogue and every
// detail switch on: building the window (its entries included) and drawing
// every entry as the list draws it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>

#include "detail/DetailEntryPainter.h"
#include "detail/DetailListBox.h"
#include "detail/TL3Form1.h"
#include "options/OptionData.h"
#include "store/Fcs.h"

namespace {

// Flags, an I frame on SAPI 0, a SETUP with bearer capability, channel
// identification, calling and called numbers, then user-user information up
// to 260 octets in all.
FrameRecord LongSetup() {
    constexpr size_t kBody = 260 - 4;  // without the flags and the FCS
    std::vector<uint8_t> f{0x00, 0x01, 0x00, 0x00, 0x08, 0x01, 0x01, 0x05,
                           0x04, 0x03, 0x80, 0x90, 0xA3, 0x18, 0x03, 0xA9, 0x83, 0x81};
    for (uint8_t id : {0x6C, 0x70}) {
        f.insert(f.end(), {id, 0x0C, 0x21, 0x83});
        for (int digit = 0; digit < 10; ++digit) f.push_back(static_cast<uint8_t>('0' + digit));
    }
    f.insert(f.end(), {0x7E, static_cast<uint8_t>(kBody - f.size() - 2), 0x04});
    f.resize(kBody, 'A');
    Fcs::Append(f);
    f.insert(f.begin(), 0x7E);
    f.push_back(0x7E);
    FrameRecord r(FrameRecord::kTx);
    r.SetBytes(f.data(), f.size());
    return r;
}

void BM_DetailWindow260Octets(benchmark::State& state) {
    QWidget owner;
    owner.resize(800, 600);
    DisplayOptions options = OptionData::DefaultDisplayOptions();
    options.showTitles = options.showIcons = options.showSeparators = options.indent = 1;
    const FrameRecord record = LongSetup();
    QImage image(800, 100, QImage::Format_RGB32);
    size_t entries = 0;
    for (auto _ : state) {
        TL3Form1 form(owner, options, record);
        QPainter painter(&image);
        painter.setFont(form.ListBox1()->font());
        painter.setBrush(Qt::white);
        for (size_t i = 0; i < form.EntryCount(); ++i) {
            const std::string& entry = form.EntryText(i);
            const int h = DetailEntryPainter::Height(painter.fontMetrics(), entry);
            DetailEntryPainter::Paint(painter, entry, QRect(0, 0, image.width(), h), options, false);
        }
        entries = form.EntryCount();
    }
    state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_DetailWindow260Octets)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
