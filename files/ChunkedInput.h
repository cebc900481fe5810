#pragma once
// A file read front to back in chunks: the caller asks for so many bytes
// from its position and consumes what it has used, so only what is not yet
// consumed (a record that straddles two chunks, and one chunk) is held.
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class ChunkedInput {
public:
    // Like read(2): bytes put into `into`, 0 at the end, -1 with errno set.
    using Source = std::function<ssize_t(char* into, size_t room)>;
    static constexpr size_t kChunk = 1 << 20;

    // Reads the open file (not closed here).
    explicit ChunkedInput(int fd, size_t chunk = kChunk);
    ChunkedInput(Source source, size_t chunk);
    // Reads text (which must outlive the input) in pieces of the chunk size.
    ChunkedInput(std::string_view text, size_t chunk);

    // With this on, a zero byte ends the input (a trace file's text ends there).
    void EndAtZero() { endAtZero_ = true; }

    // At least n unconsumed bytes in Data(); false when the input ends (or a
    // read fails: Failed()) before there are.
    bool Ensure(size_t n);
    // The unconsumed bytes read so far.
    std::string_view Data() const { return std::string_view(buffer_).substr(start_); }
    // Drops n bytes, reading on past Data() when n goes beyond it; false when
    // the input ended first.
    bool Consume(size_t n);

    bool Failed() const { return error_ != 0; }
    int Error() const { return error_; }
    // Bytes consumed since the start.
    uint64_t Position() const { return consumed_; }

private:
    // Reads one chunk behind what is held; false at the end or on an error.
    bool Refill();

    Source source_;
    const size_t chunk_;
    std::string buffer_;
    size_t start_ = 0;  // first unconsumed byte in buffer_
    uint64_t consumed_ = 0;
    bool ended_ = false;
    bool endAtZero_ = false;
    int error_ = 0;
};
