// Any bytes as a frame: every layout query stays inside the buffer.
#include <cstdlib>

#include "store/FrameRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FrameRecord r;
    r.SetBytes(data, size);
    int offsets[] = {r.ControlOffset(), r.InfoOffset(), r.MessageTypeOffset()};
    for (int o : offsets)
        if (o != FrameRecord::kAbsent && (o < 0 || size_t(o) > r.BodyEnd())) abort();
    (void)(r.IsIFrame() + r.IsSFrame() + r.IsUFrame() + r.IsUIFrame());
    (void)(r.Sapi() + r.CallRefLength() + r.CallReference());
    r.CheckCrc();
    FrameRecord copy = r;
    FrameRecord built;
    for (size_t i = 0; i < size && i < 64; ++i) built.AppendByte(data[i], data[i] == 0x7E);
    return copy.Length() == r.Length() ? 0 : (abort(), 0);
}
