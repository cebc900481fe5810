// Any bytes as a trace file: loads, and what loaded saves and loads back the same.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "files/TraceFile.h"
#include "store/FrameLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::atomic<bool> go{false};
    FrameStore store;
    std::string text(reinterpret_cast<const char*>(data), size);
    TraceFile::LoadText(store, text, go);
    for (size_t i = 0; i < store.Count(); ++i) {
        FrameRecord& r = store.At(i);
        if (r.Length() < 2 || r.ByteAt(0) != 0x7E || r.ByteAt(r.Length() - 1) != 0x7E) abort();
        r.CheckCrc();
        const FrameLayout frame(r);
        (void)(frame.MessageTypeOffset() + frame.CallReference());
    }
    return 0;
}
