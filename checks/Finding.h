#pragma once
// One thing the protocol checks found on the line: how grave it is, which
// check saw it, the frame it points at (for a timer that ran out, the frame
// that started it), the call it belongs to and a Japanese text (CP932)
// naming what was seen and what was expected. A value: it outlives the
// frames in the store.
#include <cstdint>
#include <string>

#include "checks/CheckKind.h"
#include "store/TimeStamp.h"

struct Finding {
    Severity severity = Severity::kInfo;
    Check check = Check::kState;
    int32_t index = -1;  // the frame's INDEX
    TimeStamp time;      // the frame's time of day
    int64_t ms = 0;      // the frame's time on the checker's clock
    uint64_t call = 0;   // the call tracker's number, 0 for none
    std::string text;    // CP932
};
