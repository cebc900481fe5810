#pragma once
// What the facility decoder remembers from one octet to the next. It is
// never cleared between elements, frames or detail builds: whoever owns it
// decides its lifetime (one for the program's windows, one per test).
#include <cstdint>

struct FacilityState {
    enum InnerKind : uint8_t { kNoInner, kInvokeId, kLinkedId, kOperationValue, kParameter };

    uint8_t componentKind = 0;
    uint32_t remaining = 0;  // content octets still expected
    InnerKind inner = kNoInner;
    uint32_t contentIndex = 0;
    uint16_t accumulator = 0;

    void Reset() { *this = FacilityState(); }
};
