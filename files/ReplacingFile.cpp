#include "files/ReplacingFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "files/FdWriter.h"

bool ReplacingFile::Open() {
    Abandon();
    // Overwriting through a link writes the file it points to; the link stays.
    if (char* real = ::realpath(target_.c_str(), nullptr)) {
        target_ = real;
        std::free(real);
    }
    // Replace only what the user could have overwritten in place.
    struct stat st;
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (exists && (!S_ISREG(st.st_mode) || ::access(target_.c_str(), W_OK) != 0)) return false;
    temp_ = target_ + ".XXXXXX";
    fd_ = ::mkstemp(temp_.data());
    if (fd_ < 0) {
        temp_.clear();
        return false;
    }
    // The mode a newly created file would get, or the replaced file's own.
    mode_t mode = 0;
    if (exists) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd_, mode) != 0) {
        Abandon();
        return false;
    }
    return true;
}

bool ReplacingFile::Close() {
    if (fd_ < 0) return false;
    bool ok = ::fsync(fd_) == 0;
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    if (!ok) Abandon();
    return ok;
}

bool ReplacingFile::Commit() {
    if (fd_ >= 0 && !Close()) return false;
    if (temp_.empty()) return false;
    const bool ok = ::rename(temp_.c_str(), target_.c_str()) == 0;
    if (ok) temp_.clear();
    else Abandon();
    return ok;
}

void ReplacingFile::Abandon() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

bool ReplacingFile::Write(const std::string& target, std::string_view bytes) {
    ReplacingFile file(target);
    if (!file.Open()) return false;
    FdWriter writer(file.Fd());
    writer.Buffer() = bytes;
    return writer.Flush() && file.Commit();
}
