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
