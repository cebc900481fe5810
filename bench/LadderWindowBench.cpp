// The ladder window's picture of a 200-message call (SETUP, 198
// INFORMATION, DISCONNECT with a cause; the call keeps its first and last
// messages): the model, its layout measured in the list font and every row
// painted into an image, as a PNG save draws it.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "calls/CallTracker.h"
#include "calls/LadderPicture.h"
#include "store/Fcs.h"
#include "ui/WindowFonts.h"

namespace {

FrameRecord Message(uint8_t type, uint8_t direction, int i) {
    std::vector<uint8_t> f{0x00, 0x01, 0x00, 0x00, 0x08, 0x01, static_cast<uint8_t>(direction ? 0x81 : 0x01), type};
    if (type == 0x45) f.insert(f.end(), {0x08, 0x02, 0x82, 0x90});  // cause 16 from the public network
    Fcs::Append(f);
    f.insert(f.begin(), 0x7E);
    f.push_back(0x7E);
    FrameRecord r(direction);
    r.SetBytes(f.data(), f.size());
    TimeStamp t;
    t.Set(10, 0, i / 10, i % 10 * 100);
    r.SetTime(t);
    r.SetIndex(i);
    return r;
}

void BM_LadderOf200Messages(benchmark::State& state) {
    CallTracker tracker;
    for (int i = 0; i < 200; ++i)
        tracker.Add(Message(i == 0 ? 0x05 : i == 199 ? 0x45 : 0x7B, i == 199 ? FrameRecord::kRx : FrameRecord::kTx, i));
    const CallRecord& call = tracker.At(0);
    LadderPicture picture(WindowFonts::ListFont());
    QImage image;
    for (auto _ : state) {
        LadderModel model(MessageCatalogue::Program());
        model.Add(call);
        picture.Set(model, "PBX", "NET");
        if (image.width() != picture.Width() || image.height() != picture.Height())
            image = QImage(picture.Width(), picture.Height(), QImage::Format_RGB32);
        QPainter painter(&image);
        picture.PaintAll(painter);
    }
    state.counters["messages"] = static_cast<double>(call.steps.Total());
    state.counters["rows"] = static_cast<double>(picture.Layout().Rows());
}
BENCHMARK(BM_LadderOf200Messages)->Unit(benchmark::kMillisecond);

}  // namespace
