#include "device/CaptureQueue.h"

#include <utility>

void CaptureQueue::Push(FrameRecord record) {
    std::lock_guard<std::mutex> lock(mutex_);
    records_.push_back(std::move(record));
}

bool CaptureQueue::TryPop(FrameRecord& record) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (records_.empty()) return false;
    record = std::move(records_.front());
    records_.pop_front();
    return true;
}

void CaptureQueue::Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    records_.clear();
}

size_t CaptureQueue::Size() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return records_.size();
}
