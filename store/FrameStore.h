#pragma once
// The ordered records the program holds, oldest first, addressed by
// position; at most 30000, in ring-buffer mode the newest 30000.
#include <atomic>
#include <cstdint>
#include <deque>
#include <string>

#include "store/FrameRecord.h"
#include "store/LogWriter.h"

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
    // The same, taking the record's octets instead of copying them.
    int Take(FrameRecord&& record, bool number);

    // Log files: with ring buffer and logging on, appends every numbered
    // record not yet logged, in INDEX order, starting a new file every
    // 30000 records. False when a file could not be made or written; the
    // records not written are tried again at the next call.
    static constexpr uint32_t kRecordsPerLog = 30000;
    static constexpr uint32_t kLogLagLimit = 1000;
    bool WriteLog();
    // Why the last WriteLog failed (an errno value); 0 after one that did not.
    int LogError() const { return logError_; }
    // False when logging is on and 1000 or more records wait for the log.
    bool LogKeepsUp() const;
    // Where log files go and the clock that names them.
    LogWriter& Logs() { return logWriter_; }
    const LogWriter& Logs() const { return logWriter_; }

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
    LogWriter logWriter_;
    // INDEX whose file logFileName_ is; -1 when this run has none yet.
    int64_t logFileFirst_ = -1;
    int logError_ = 0;
    std::atomic<int> progress_{0};
    FrameRecord outside_;
};
