// Any bytes as a frame: every layout query stays inside the buffer.
#include <cstdlib>

#include "store/FrameLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FrameRecord r;
    r.SetBytes(data, size);
    const FrameLayout f(r);
    int offsets[] = {f.ControlOffset(), f.InfoOffset(), f.MessageTypeOffset()};
    for (int o : offsets)
        if (o != FrameLayout::kAbsent && (o < 0 || size_t(o) > r.BodyEnd())) abort();
    (void)(f.IsIFrame() + f.IsSFrame() + f.IsUFrame() + f.IsUIFrame());
    (void)(f.Sapi() + f.CallRefLength() + f.CallReference() + f.InfoOctet(2));
    r.CheckCrc();
    FrameRecord built;
    for (size_t i = 0; i < size && i < 64; ++i) built.AppendByte(data[i], data[i] == 0x7E);
    return 0;
}
