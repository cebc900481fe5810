#include "files/FdWriter.h"

#include <cerrno>

#include "base/FileIo.h"

FdWriter::FdWriter(int fd) : fd_(fd) { buffer_.reserve(kChunk + 512); }

bool FdWriter::Flush() {
    if (!failed_ && !buffer_.empty() && !FileIo::WriteAll(fd_, buffer_)) {
        failed_ = true;
        error_ = errno;
    }
    // After a failure the rest is dropped: nothing more can reach the file.
    buffer_.clear();
    return !failed_;
}

bool FdWriter::Write(std::string_view text) {
    if (buffer_.size() + text.size() < kChunk) {
        buffer_.append(text);
        return !failed_;
    }
    if (!Flush()) return false;
    if (!FileIo::WriteAll(fd_, text)) {
        failed_ = true;
        error_ = errno;
    }
    return !failed_;
}
