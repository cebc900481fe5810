#pragma once
// Another reader of the frames the call feed reads, in the same order, told
// the number of the call each joined: the feed hands it every frame taken
// or loaded and tells it when the frames start afresh.
#include <cstdint>

#include "store/FrameRecord.h"

class CallFeedReader {
public:
    virtual ~CallFeedReader() = default;
    // call: the tracker's number for the frame, 0 when it joined no call.
    virtual void Take(const FrameRecord& record, uint64_t call) = 0;
    virtual void Clear() = 0;
};
