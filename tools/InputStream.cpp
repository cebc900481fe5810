#include "tools/InputStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "base/FileIo.h"
#include "files/CaptureRecord.h"
#include "files/TraceScan.h"
#include "store/TimeStamp.h"

namespace {

int Open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) std::fprintf(stderr, "velkdump: cannot open %s: %s\n", path.c_str(), std::strerror(errno));
    return fd;
}

void ReadFailed(const std::string& path, int error) {
    std::fprintf(stderr, "velkdump: cannot read %s: %s\n", path.c_str(), std::strerror(error));
}

}  // namespace

InputStream::InputStream(std::vector<std::string> paths) : paths_(std::move(paths)), progress_(STDERR_FILENO) {}

InputStream::~InputStream() {
    if (fd_ >= 0) ::close(fd_);
}

bool InputStream::IsTrace(std::string_view start) {
    if (start.empty() || start.substr(0, 6) == "INDEX=") return true;
    TimeStamp time;
    return start.size() >= 16 && TraceScan::IsRecordStart(start, 1) && time.Parse(start.substr(2, 14));
}

bool InputStream::Check() {
    for (const std::string& path : paths_) {
        const int fd = Open(path);
        if (fd < 0) return false;
        char head[16];
        size_t got = 0;
        struct stat st;
        const bool read = FileIo::ReadAll(fd, head, sizeof head, got) && ::fstat(fd, &st) == 0;
        const int error = errno;
        ::close(fd);
        if (!read) {
            ReadFailed(path, error);
            return false;
        }
        const std::string_view start(head, got);
        if (CaptureStream::IsCapture(start)) {
            kinds_.push_back(kCapture);
        } else if (IsTrace(start)) {
            kinds_.push_back(kTrace);
        } else {
            std::fprintf(stderr, "velkdump: %s: not a trace, log, pcap or pcapng file\n", path.c_str());
            return false;
        }
        if (S_ISREG(st.st_mode)) totalBytes_ += static_cast<uint64_t>(st.st_size);
    }
    return true;
}

bool InputStream::OpenNext() {
    fd_ = Open(paths_[current_]);
    if (fd_ < 0) return false;
    opened_ = true;
    fresh_ = true;
    input_ = std::make_unique<ChunkedInput>(fd_);
    trace_.reset();
    capture_.reset();
    if (kinds_[current_] == kTrace) trace_ = std::make_unique<TraceStream>(*input_);
    else capture_ = std::make_unique<CaptureStream>(*input_);
    captureIndex_ = 0;
    return true;
}

InputStream::Result InputStream::Fail(const std::string& why) {
    progress_.Clear();
    if (input_ && input_->Failed()) ReadFailed(Path(), input_->Error());
    else if (!why.empty()) std::fprintf(stderr, "velkdump: %s: %s\n", Path().c_str(), why.c_str());
    return kFailed;
}

InputStream::Result InputStream::Next(FrameRecord& record) {
    while (current_ < paths_.size()) {
        if (!opened_ && !OpenNext()) return Fail("");
        bool got = false;
        if (trace_) {
            const TraceStream::Result r = trace_->Next(record);
            if (r == TraceStream::kFailed) return Fail("");
            got = r == TraceStream::kRecord;
        } else {
            CaptureFileReader::Frame frame;
            const CaptureStream::Result r = capture_->Next(frame);
            if (r == CaptureStream::kFault) return Fail(capture_->Message());
            if (r == CaptureStream::kFrame) {
                record = CaptureRecord::Of(frame, bytes_);
                record.SetIndex(captureIndex_++);
                captureSeconds_ = frame.seconds;
                got = true;
            }
        }
        if (got) {
            firstOfInput_ = fresh_;
            fresh_ = false;
            progress_.Update(++frames_, doneBytes_ + input_->Position(), totalBytes_);
            return kRecord;
        }
        doneBytes_ += input_->Position();
        trace_.reset();
        capture_.reset();
        input_.reset();
        ::close(fd_);
        fd_ = -1;
        opened_ = false;
        ++current_;
    }
    progress_.Clear();
    current_ = paths_.empty() ? 0 : paths_.size() - 1;
    return kEnd;
}
