#pragma once
// Frames from the receive thread to the main window's timer: first in,
// first out, no capacity limit; each operation holds the lock for itself.
#include <deque>
#include <mutex>

#include "store/FrameRecord.h"

class CaptureQueue {
public:
    void Push(FrameRecord record);
    // Moves the front record into `record`; false (record untouched) when empty.
    bool TryPop(FrameRecord& record);
    void Clear();
    size_t Size() const;

private:
    mutable std::mutex mutex_;
    std::deque<FrameRecord> records_;
};
