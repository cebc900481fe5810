#include "tools/InputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

int InputFile::Open(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) std::fprintf(stderr, "velkdump: cannot open %s: %s\n", path.c_str(), std::strerror(errno));
    return fd;
}

bool InputFile::Load(const std::string& path, FrameStore& store) {
    int fd = Open(path);
    if (fd < 0) return false;
    std::atomic<bool> cancel{false};
    TraceFile::LoadResult loaded = TraceFile::LoadFile(store, fd, cancel);
    int readErrno = errno;
    ::close(fd);
    if (loaded == TraceFile::kStoreFull) {
        std::fprintf(stderr, "velkdump: %s holds more than %zu frames\n", path.c_str(), FrameStore::kCapacity);
        return false;
    }
    if (loaded != TraceFile::kLoaded) {
        std::fprintf(stderr, "velkdump: cannot read %s: %s\n", path.c_str(), std::strerror(readErrno));
        return false;
    }
    return true;
}

bool InputFile::Scan(int fd, const std::string& path, const TraceFile::Taker& take) {
    std::atomic<bool> cancel{false};
    std::atomic<int> progress{0};
    TraceFile::LoadResult scanned = TraceFile::ScanFile(fd, cancel, progress, take);
    int readErrno = errno;
    ::close(fd);
    if (scanned == TraceFile::kLoaded || scanned == TraceFile::kStoreFull) return true;
    std::fprintf(stderr, "velkdump: cannot read %s: %s\n", path.c_str(), std::strerror(readErrno));
    return false;
}
