#pragma once
// Buffered writes to an open file descriptor. The first failed write (a full
// disk, a closed pipe) is remembered: later flushes write nothing and keep
// reporting it, so a caller may check once at the end.
#include <cstddef>
#include <string>
#include <string_view>

class FdWriter {
public:
    explicit FdWriter(int fd);

    // Text appended here goes out on the next flush.
    std::string& Buffer() { return buffer_; }
    // Writes the buffer once it holds a chunk; false once any write failed.
    bool FlushIfFull() { return buffer_.size() < kChunk ? !failed_ : Flush(); }
    // Appends text, or with a large one writes what is buffered and the
    // text itself without copying it; false once any write failed.
    bool Write(std::string_view text);
    // Writes everything buffered; false once any write failed.
    bool Flush();
    bool Failed() const { return failed_; }
    // The errno of the failed write (EPIPE: the reader went away).
    int Error() const { return error_; }

private:
    static constexpr size_t kChunk = 64 * 1024;
    int fd_;
    bool failed_ = false;
    int error_ = 0;
    std::string buffer_;
};
