#include "files/ChunkedInput.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

ChunkedInput::ChunkedInput(int fd, size_t chunk)
    : ChunkedInput([fd](char* into, size_t room) { return ::read(fd, into, room); }, chunk) {}

ChunkedInput::ChunkedInput(std::string_view text, size_t chunk)
    : ChunkedInput(
          [text](char* into, size_t room) mutable {
              const size_t n = text.copy(into, room);
              text.remove_prefix(n);
              return static_cast<ssize_t>(n);
          },
          chunk) {}

ChunkedInput::ChunkedInput(Source source, size_t chunk) : source_(std::move(source)), chunk_(chunk > 0 ? chunk : 1) {}

bool ChunkedInput::Ensure(size_t n) {
    while (buffer_.size() - start_ < n)
        if (!Refill()) return false;
    return true;
}

bool ChunkedInput::Consume(size_t n) {
    while (buffer_.size() - start_ < n) {
        n -= buffer_.size() - start_;
        consumed_ += buffer_.size() - start_;
        buffer_.clear();
        start_ = 0;
        if (!Refill()) return false;
    }
    start_ += n;
    consumed_ += n;
    return true;
}

bool ChunkedInput::Refill() {
    if (ended_ || error_ != 0) return false;
    // What was consumed goes first, so the buffer holds at most the bytes
    // still wanted and one chunk.
    buffer_.erase(0, start_);
    start_ = 0;
    const size_t held = buffer_.size();
    buffer_.resize(held + chunk_);
    ssize_t got = -1;
    do {
        got = source_(buffer_.data() + held, chunk_);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        error_ = errno != 0 ? errno : EIO;
        got = 0;
    }
    buffer_.resize(held + static_cast<size_t>(got));
    if (endAtZero_ && got > 0) {
        const size_t zero = buffer_.find('\0', held);
        if (zero != std::string::npos) {
            buffer_.resize(zero);
            ended_ = true;
        }
    }
    if (got == 0) ended_ = true;
    return buffer_.size() > held;
}
