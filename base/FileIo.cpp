#include "base/FileIo.h"

#include <unistd.h>

#include <cerrno>

bool FileIo::WriteAll(int fd, const void* data, size_t n) {
    const char* p = static_cast<const char*>(data);
    while (n > 0) {
        ssize_t w = ::write(fd, p, n);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

bool FileIo::ReadAll(int fd, void* data, size_t n, size_t& got) {
    char* p = static_cast<char*>(data);
    got = 0;
    while (got < n) {
        ssize_t r = ::read(fd, p + got, n - got);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return false;
        if (r == 0) break;
        got += static_cast<size_t>(r);
    }
    return true;
}
