#include "base/SmallFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/FileIo.h"

SmallFile::ReadResult SmallFile::Read(const std::string& path, size_t maxSize, std::string& text) {
    text.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? kNoFile : kUnreadable;
    // One byte past the bound tells a file that is too large.
    text.resize(maxSize + 1);
    size_t got = 0;
    const bool read = FileIo::ReadAll(fd, text.data(), text.size(), got);
    ::close(fd);
    text.resize(read ? got : 0);
    if (!read) return kUnreadable;
    return got > maxSize ? kTooLarge : kRead;
}

bool SmallFile::Replace(const std::string& path, std::string_view text) {
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = FileIo::WriteAll(fd, text);
    ok = ::fchmod(fd, 0644) == 0 && ok;
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}
