// Any byte stream from the device, cut into pieces of any size, through the
// receive thread's line assembly and dispatch: nothing reads outside a
// buffer, and every record and reply has the shape its line promised.
#include <cstdlib>
#include <string>

#include "store/FrameLayout.h"
#include "device/LineAssembler.h"
#include "device/LineDispatcher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte sets the piece size, as reads of any length would.
    const size_t piece = data[0] % 32 + 1;
    ++data;
    --size;

    CaptureQueue queue;
    DeviceReplies replies;
    LineDispatcher dispatcher(queue, replies);
    LineAssembler assembler;
    std::string line;
    for (size_t at = 0; at < size; at += piece) {
        assembler.Append(data + at, size - at < piece ? size - at : piece);
        while (assembler.NextLine(line)) {
            if (line.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) abort();
            const DeviceKind kindBefore = replies.Kind();
            switch (dispatcher.Dispatch(line)) {
                case LineDispatcher::kFrame: {
                    FrameRecord r;
                    if (!queue.TryPop(r)) abort();
                    size_t hex = line.size() > 16 ? line.size() - 16 : 0;
                    if (r.Length() != 2 + (hex + 1) / 2) abort();
                    if (r.ByteAt(0) != 0x7E || r.ByteAt(r.Length() - 1) != 0x7E) abort();
                    if (r.IsRx() != (line[0] == 'R')) abort();
                    if (r.Time().Minutes() > 59 || r.Time().Milliseconds() > 999) abort();
                    r.CheckCrc();
                    (void)(FrameLayout(r).MessageTypeOffset() + FrameLayout(r).CallReference());
                    break;
                }
                case LineDispatcher::kIdentity: {
                    std::string text;
                    if (!replies.TakeIdentity(text) || text != line) abort();
                    if (replies.Kind() != (line[1] == 'Q' ? DeviceKind::kRq730 : DeviceKind::kTessaro))
                        abort();
                    break;
                }
                case LineDispatcher::kClock: {
                    TimeStamp t;
                    if (!replies.TakeClock(t) || line[0] != '[') abort();
                    break;
                }
                case LineDispatcher::kStatus: {
                    BChannelStatus s;
                    if (!replies.TakeChannelStatus(s) || replies.Kind() != kindBefore) abort();
                    break;
                }
                case LineDispatcher::kEcho:
                case LineDispatcher::kIgnored:
                    if (queue.Size() != 0) abort();
                    break;
            }
        }
    }
    return 0;
}
