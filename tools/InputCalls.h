#pragma once
// The calls of a run's inputs for the commands that write calls: each call
// handed over in order of its first frame as soon as no frame can change it,
// then the calls still open at the end. Only the open calls (and those that
// began after the oldest open one) stay in memory.
#include <cstdint>
#include <functional>

#include "calls/CallRecord.h"
#include "tools/InputStream.h"

class InputCalls {
public:
    // nowMs: the time of the last frame read, on the tracker's clock.
    using Each = std::function<bool(const CallRecord& call, int64_t nowMs)>;
    enum Result { kDone, kInputFailed, kStopped };
    // Reads in to its end; a false return from each stops it (kStopped).
    static Result Read(InputStream& in, const Each& each);
};
