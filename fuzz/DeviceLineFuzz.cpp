// Any byte stream from the device, cut into pieces of any size, through the
// receive thread's line assembly and dispatch: nothing reads outside a
// buffer, and every record and reply has the shape its line promised.
#include <algorithm>
#include <cstdlib>

#include "device/LineAssembler.h"
#include "device/LineDispatcher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte sets the piece size, as reads of any length would.
    const size_t piece = data[0] % 32 + 1;
    CaptureQueue queue;
    DeviceReplies replies;
    LineDispatcher dispatcher(queue, replies);
    LineAssembler assembler;
    std::string line, text;
    FrameRecord r;
    TimeStamp t;
    BChannelStatus s;
    for (size_t at = 1; at < size; at += piece) {
        assembler.Append(data + at, std::min(piece, size - at));
        while (assembler.NextLine(line)) {
            if (line.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) abort();
            const DeviceKind kindBefore = replies.Kind();
            const LineDispatcher::LineKind kind = dispatcher.Dispatch(line);
            const bool frame = queue.TryPop(r), identity = replies.TakeIdentity(text);
            const bool clock = replies.TakeClock(t), status = replies.TakeChannelStatus(s);
            if (frame != (kind == LineDispatcher::kFrame) || identity != (kind == LineDispatcher::kIdentity) ||
                clock != (kind == LineDispatcher::kClock) || status != (kind == LineDispatcher::kStatus) || queue.Size())
                abort();
            if (frame && (r.Length() != 2 + (line.size() - 15) / 2 || r.ByteAt(0) != 0x7E ||
                          r.ByteAt(r.Length() - 1) != 0x7E || r.IsRx() != (line[0] == 'R') || r.Time().Minutes() > 59 ||
                          r.Time().Milliseconds() > 999))
                abort();
            if (identity && (text != line || replies.Kind() != (line[1] == 'Q' ? DeviceKind::kRq730 : DeviceKind::kTessaro)))
                abort();
            if ((clock && line[0] != '[') || (status && replies.Kind() != kindBefore)) abort();
        }
    }
    return 0;
}
