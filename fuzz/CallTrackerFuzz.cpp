// Any frames into the call tracker: no crash, every counted frame in exactly
// one call and among its kept messages while they are not bounded, the
// bounds held, one CSV line per call; the restarts, the channel timeline
// and the statistics of what came. The input: a bound (1..8), then per frame
// a header octet (bit 0 RX, bit 1 the octets as given instead of after a
// SAPI 0 I-frame header with protocol discriminator 0x08, bit 2 a bad FCS,
// bits 3-7 the hour of its time), a length octet and the octets.
#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "calls/CallCsv.h"
#include "calls/CallStatisticsCsv.h"
#include "calls/ChannelTimeline.h"
#include "store/Fcs.h"

namespace {

void Check(bool ok) {
    if (!ok) abort();
}

uint64_t Frames(const CallTracker& tracker) {
    return std::accumulate(tracker.begin(), tracker.end(), uint64_t{0},
                           [](uint64_t n, const CallRecord& c) { return n + c.frames; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t bound = 1 + data[0] % 8;
    CallTracker all(CallTracker::kUnbounded), bounded(bound);
    RestartLog restarts(bound);
    uint64_t counted = 0;
    for (size_t p = 1, index = 0; p + 1 < size; ++index) {
        const uint8_t head = data[p], n = static_cast<uint8_t>(std::min<size_t>(data[p + 1], size - p - 2));
        std::vector<uint8_t> bytes;
        if (!(head & 0x02)) bytes = {0x00, 0x01, 0x00, 0x00, 0x08};
        bytes.insert(bytes.end(), data + p + 2, data + p + 2 + n);
        p += 2 + n;
        Fcs::Append(bytes);
        bytes.back() ^= head & 0x04;
        bytes.insert(bytes.begin(), 0x7E);
        bytes.push_back(0x7E);
        FrameRecord record(head & 0x01);
        record.SetBytes(bytes.data(), bytes.size());
        record.SetIndex(static_cast<int32_t>(index));
        TimeStamp time;
        time.Set(head >> 3, 0, 0, 0);
        record.SetTime(time);

        const uint64_t number = all.Add(record), kept = bounded.Add(record);
        restarts.Add(record, all);
        Check(restarts.Count() <= bound);
        counted += number != 0;
        Check((kept != 0) == (number != 0) && bounded.Count() <= bound && Frames(all) == counted);
        Check(number == 0 ||
              (all.Find(number)->lastIndex == record.Index() && bounded.Find(kept)->lastIndex == record.Index()));
        const CallSteps* steps = number ? &all.Find(number)->steps : nullptr;
        Check(!steps || (steps->Total() == all.Find(number)->frames &&
                         steps->Count() == std::min<uint64_t>(steps->Total(), CallSteps::kHead + CallSteps::kTail) &&
                         (*steps)[steps->Count() - 1].index == record.Index()));
    }
    const std::string csv = CallCsv::Text(all, MessageCatalogue());
    Check(static_cast<size_t>(std::count(csv.begin(), csv.end(), '\n')) == all.Count() + 1);
    ChannelTimeline timeline;
    timeline.Build(all, restarts);
    for (int c = ChannelTimeline::kFirstChannel; c <= ChannelTimeline::kLastChannel; ++c)
        Check(timeline.BarsIn(c, timeline.StartMs(), timeline.EndMs()).size() == timeline.Bars(c).size());
    CallStatistics stats;
    stats.SetPrefixes({"0", "03"});
    stats.Build(all);
    Check(!CallStatisticsCsv::Text(stats, MessageCatalogue()).empty());
    return 0;
}
