#pragma once
// The ordered records the program holds, oldest first, addressed by
// position; at most 30000, in ring-buffer mode the newest 30000.
#include <atomic>
#include <cstdint>
#include <deque>
#include <string>

#include "store/FrameRecord.h"

class FrameStore {
public:
    static constexpr size_t kCapacity = 30000;

    // Results of Add.
    enum AddResult { kStored = 0, kStoredNowFull = 1, kRefused = 2 };

    size_t Count() const { return records_.size(); }
    // The record at position; a position outside the store gives an empty record.
    FrameRecord& At(size_t position);
    const FrameRecord& At(size_t position) const;

    // Drops every record and resets numbering, logging position and ring
    // buffer; the logging flag and log file name stay.
    void Clear();
    void SetModes(bool ringBuffer, bool logging) {
        ringBuffer_ = ringBuffer;
        logging_ = logging;
    }
    // Stores a copy of record; with number set, the record (the caller's
    // too) takes the next INDEX first.
    int Add(FrameRecord& record, bool number);

    bool IsRingBuffer() const { return ringBuffer_; }
    bool IsLogging() const { return logging_; }
    uint32_t NextIndex() const { return nextIndex_; }
    uint32_t LoggedIndex() const { return loggedIndex_; }
    const std::string& LogFileName() const { return logFileName_; }

    // Percentage done of a running load or save, read by the progress dialog.
    std::atomic<int>& Progress() { return progress_; }
    int ProgressValue() const { return progress_.load(std::memory_order_relaxed); }

private:
    std::deque<FrameRecord> records_;
    uint32_t nextIndex_ = 0;
    uint32_t loggedIndex_ = 0;
    bool ringBuffer_ = false;
    bool logging_ = false;
    std::string logFileName_;
    std::atomic<int> progress_{0};
    FrameRecord outside_;
};
