#pragma once
// Whole reads and writes on a file descriptor, retried after signals.
#include <cstddef>
#include <string_view>

class FileIo {
public:
    // True when every byte was written; a write that fails or takes nothing
    // ends it with false.
    static bool WriteAll(int fd, const void* data, size_t n);
    static bool WriteAll(int fd, std::string_view text) {
        return WriteAll(fd, text.data(), text.size());
    }
    // Reads until n bytes or the end of the file; got holds the count.
    // False only on a read error.
    static bool ReadAll(int fd, void* data, size_t n, size_t& got);
};
