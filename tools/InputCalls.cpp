#include "tools/InputCalls.h"

#include "calls/CallTracker.h"

InputCalls::Result InputCalls::Read(InputStream& in, const Each& each) {
    CallTracker tracker(CallTracker::kUnbounded);
    CallRecord settled;
    FrameRecord record;
    InputStream::Result read;
    while ((read = in.Next(record)) == InputStream::kRecord) {
        tracker.Add(record);
        while (tracker.TakeSettled(settled))
            if (!each(settled, tracker.NowMs())) return kStopped;
    }
    if (read == InputStream::kFailed) return kInputFailed;
    for (const CallRecord& call : tracker)
        if (!each(call, tracker.NowMs())) return kStopped;
    return kDone;
}
