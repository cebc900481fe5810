#pragma once
// The inputs of a velkdump run, read one after the other as one stream of
// records. Each input is a trace file, a log file, a pcap or a pcapng
// capture, told by its content. A trace or log file's records are numbered
// as a load of that file numbers them; a capture's from 0, as its trace
// file would load. Failures are reported on standard error, naming the file.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "files/CaptureStream.h"
#include "files/ChunkedInput.h"
#include "files/TraceStream.h"
#include "store/FrameRecord.h"
#include "tools/Progress.h"

class InputStream {
public:
    enum Kind { kTrace, kCapture };
    explicit InputStream(std::vector<std::string> paths);
    ~InputStream();
    InputStream(const InputStream&) = delete;
    InputStream& operator=(const InputStream&) = delete;

    // Opens every input in turn and tells its kind, before anything is
    // written; false after the message for the first that is missing,
    // unreadable or of no known kind.
    bool Check();

    enum Result { kRecord, kEnd, kFailed };  // kFailed after its message
    Result Next(FrameRecord& record);

    // Of the input the last record came from.
    const std::string& Path() const { return paths_[current_]; }
    Kind InputKind() const { return kinds_[current_]; }
    size_t InputNumber() const { return current_; }
    bool FirstOfInput() const { return firstOfInput_; }
    // A capture's record: its time stamp, seconds since the epoch.
    int64_t CaptureSeconds() const { return captureSeconds_; }

    // Takes the progress line away before a message of the caller's.
    void ClearProgress() { progress_.Clear(); }

    // Whether the start of a file is that of a trace or log file: empty, an
    // "INDEX=" header, or a record head with a time that reads.
    static bool IsTrace(std::string_view start);

private:
    bool OpenNext();
    Result Fail(const std::string& why);

    std::vector<std::string> paths_;
    std::vector<Kind> kinds_;
    uint64_t totalBytes_ = 0, doneBytes_ = 0;  // of the inputs before the current one
    uint64_t frames_ = 0;
    size_t current_ = 0;
    bool opened_ = false;
    int fd_ = -1;
    std::unique_ptr<ChunkedInput> input_;
    std::unique_ptr<TraceStream> trace_;
    std::unique_ptr<CaptureStream> capture_;
    int32_t captureIndex_ = 0;
    std::vector<uint8_t> bytes_;
    bool fresh_ = false;  // no record of the open input handed out yet
    bool firstOfInput_ = false;
    int64_t captureSeconds_ = 0;
    Progress progress_;
};
