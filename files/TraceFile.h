#pragma once
// Trace files (*.vkt): an optional "INDEX=" header line, then one record
// text per frame (see TraceText). Loading rebuilds the whole store; saving
// writes it all. Both poll a cancel flag and update the store's progress.
#include <atomic>
#include <functional>
#include <string_view>

#include "store/FrameStore.h"

class TraceFile {
public:
    enum LoadResult {
        kLoaded = 0,
        kCancelled = 1,
        kStoreFull = 2,   // the store refused a record: the buffer-full case
        kReadFailed = 3,  // the file could not be read whole
    };

    // Writes the store to the open file descriptor; false when cancelled or
    // when a write fails (a full disk).
    static bool SaveText(FrameStore& store, int fd, const std::atomic<bool>& cancel);
    // Clears the store and adds the records found in text; a zero byte ends it.
    static LoadResult LoadText(FrameStore& store, std::string_view text,
                               const std::atomic<bool>& cancel);
    // Reads the whole open file, then LoadText.
    static LoadResult LoadFile(FrameStore& store, int fd, const std::atomic<bool>& cancel);

    // The records of text one by one, in file order and numbered as a load
    // numbers them, for a reader that keeps no store (TraceStream reads a
    // file so in chunks); a take that returns false stops the scan with
    // kStoreFull.
    using Taker = std::function<bool(FrameRecord&& record)>;
    static LoadResult ScanText(std::string_view text, const std::atomic<bool>& cancel,
                               std::atomic<int>& progress, const Taker& take);
};
