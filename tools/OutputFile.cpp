#include "tools/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

OutputFile::OutputFile(std::string path, bool devicesInPlace)
    : path_(std::move(path)), name_(path_.empty() ? "standard output" : path_), devicesInPlace_(devicesInPlace) {}

OutputFile::~OutputFile() {
    if (deviceFd_ >= 0) ::close(deviceFd_);
}

bool OutputFile::Open() {
    int fd = STDOUT_FILENO;
    struct stat st;
    if (!path_.empty() && devicesInPlace_ && ::stat(path_.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        fd = deviceFd_ = ::open(path_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    } else if (!path_.empty()) {
        file_ = std::make_unique<ReplacingFile>(path_);
        fd = file_->Open() ? file_->Fd() : -1;
    }
    if (fd < 0) {
        std::fprintf(stderr, "velkdump: cannot create %s: %s\n", name_.c_str(), std::strerror(errno));
        return false;
    }
    writer_ = std::make_unique<FdWriter>(fd);
    return true;
}

bool OutputFile::Close() {
    const int error = !writer_->Flush() ? writer_->Error() : file_ && !file_->Close() ? errno : 0;
    // A closed piece waits for its commit holding nothing: a run may leave hundreds.
    std::string().swap(writer_->Buffer());
    if (error != 0) WriteFailed(error);
    return error == 0;
}

int OutputFile::Commit() {
    if (!writer_->Flush()) return WriteFailed(writer_->Error());
    if (file_ && !file_->Commit()) return WriteFailed(errno);
    if (deviceFd_ >= 0) {
        const int closed = ::close(deviceFd_);
        deviceFd_ = -1;
        if (closed != 0) return WriteFailed(errno);
    }
    return 0;
}

int OutputFile::WriteFailed(int error) {
    if (path_.empty() && error == EPIPE) return 0;
    std::fprintf(stderr, "velkdump: write error on %s: %s\n", name_.c_str(), std::strerror(error));
    return 2;
}
