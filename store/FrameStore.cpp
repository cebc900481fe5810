#include "store/FrameStore.h"

#include <cerrno>
#include <chrono>
#include <thread>
#include <utility>

#include "store/TraceText.h"

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
    logFileFirst_ = -1;
    ringBuffer_ = false;
}

int FrameStore::Add(FrameRecord& record, bool number) {
    FrameRecord copy(record);
    const int result = Take(std::move(copy), number);
    if (result != kRefused && number) record.SetIndex(records_.back().Index());
    return result;
}

int FrameStore::Take(FrameRecord&& record, bool number) {
    if (ringBuffer_ && records_.size() >= kCapacity) records_.pop_front();
    if (records_.size() >= kCapacity) return kRefused;
    if (number) record.SetIndex(static_cast<int32_t>(nextIndex_++));
    records_.push_back(std::move(record));
    return records_.size() == kCapacity ? kStoredNowFull : kStored;
}

bool FrameStore::LogKeepsUp() const {
    return !(ringBuffer_ && logging_ && nextIndex_ - loggedIndex_ >= kLogLagLimit);
}

bool FrameStore::WriteLog() {
    logError_ = 0;
    if (!ringBuffer_ || !logging_ || nextIndex_ == 0) return true;
    using Clock = std::chrono::steady_clock;
    // Records are gathered and written in pieces; loggedIndex_ moves only
    // past records that reached the file.
    constexpr size_t kPiece = 256 * 1024;
    auto t0 = Clock::now();
    int fd = -1;
    std::string piece;
    uint32_t next = loggedIndex_;
    bool ok = true;
    // Each failure below leaves errno as the call that failed set it.
    auto fail = [&] {
        logError_ = errno != 0 ? errno : EIO;
        ok = false;
    };
    auto flush = [&]() {
        if (piece.empty()) return true;
        if (!LogWriter::Append(fd, piece)) return false;
        piece.clear();
        loggedIndex_ = next;
        return true;
    };
    while (next < nextIndex_) {
        if (next % kRecordsPerLog == 0 && logFileFirst_ != next) {
            if (!flush()) { fail(); break; }
            if (fd >= 0) LogWriter::Close(fd);
            fd = -1;
            std::string name;
            if (!logWriter_.CreateFile(static_cast<int32_t>(next), name)) { fail(); break; }
            logFileName_ = name;
            logFileFirst_ = next;
        }
        if (fd < 0) {
            fd = LogWriter::OpenForAppend(logFileName_);
            if (fd < 0) { fail(); break; }
        }
        const size_t behind = nextIndex_ - next;
        if (behind <= records_.size())
            TraceText::AppendRecordText(piece, records_[records_.size() - behind]);
        ++next;
        if (piece.size() >= kPiece && !flush()) { fail(); break; }
        if (Clock::now() - t0 > std::chrono::milliseconds(10)) {
            t0 = Clock::now();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    if (ok && fd >= 0 && !flush()) fail();
    if (fd >= 0) LogWriter::Close(fd);
    return ok;
}
