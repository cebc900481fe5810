// Any text as a bracketed time: a parse either fails or yields a valid time.
#include <cstdlib>
#include <string_view>

#include "store/TimeStamp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TimeStamp t;
    if (t.Parse(std::string_view(reinterpret_cast<const char*>(data), size))) {
        if (t.Hours() > 99 || t.Minutes() > 59 || t.Seconds() > 59 || t.Milliseconds() > 999)
            abort();
        TimeStamp again;
        if (!again.Parse("[" + t.Format() + "]") || !(again == t)) abort();
    }
    return 0;
}
