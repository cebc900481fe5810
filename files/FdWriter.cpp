#include "files/FdWriter.h"

#include <unistd.h>

#include <cerrno>

FdWriter::FdWriter(int fd) : fd_(fd) { buffer_.reserve(kChunk + 512); }

bool FdWriter::Flush() {
    size_t done = 0;
    while (!failed_ && done < buffer_.size()) {
        ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) failed_ = true;
        else done += static_cast<size_t>(n);
    }
    // After a failure the rest is dropped: nothing more can reach the file.
    buffer_.clear();
    return !failed_;
}
