#include "store/FrameStore.h"

FrameRecord& FrameStore::At(size_t position) {
    if (position < records_.size()) return records_[position];
    outside_ = FrameRecord();
    return outside_;
}

const FrameRecord& FrameStore::At(size_t position) const {
    static const FrameRecord empty;
    return position < records_.size() ? records_[position] : empty;
}

void FrameStore::Clear() {
    records_.clear();
    // Give the deque's blocks back: a cleared store should cost nothing.
    records_.shrink_to_fit();
    nextIndex_ = 0;
    loggedIndex_ = 0;
    ringBuffer_ = false;
}

int FrameStore::Add(FrameRecord& record, bool number) {
    if (ringBuffer_ && records_.size() >= kCapacity) records_.pop_front();
    if (records_.size() >= kCapacity) return kRefused;
    if (number) record.SetIndex(static_cast<int32_t>(nextIndex_++));
    records_.push_back(record);
    return records_.size() == kCapacity ? kStoredNowFull : kStored;
}
