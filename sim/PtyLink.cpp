#include "sim/PtyLink.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "device/ComPorts.h"

namespace {

// mkdir -p: every missing folder on the way.
bool MakeFolders(const std::string& folder) {
    std::string path;
    for (size_t i = 0; i < folder.size(); ++i) {
        path.push_back(folder[i]);
        if ((folder[i] == '/' || i + 1 == folder.size()) && path != "/") {
            if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) return false;
        }
    }
    struct stat st {};
    return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string SystemError(const char* what) { return std::string(what) + ": " + strerror(errno); }

}  // namespace

std::string PtyLink::PortsFolder() { return ComPorts::Folder(); }

bool PtyLink::Open(int port, const std::string& folder, speed_t speed, std::string& error) {
    Close();
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0) {
        error = SystemError("posix_openpt");
        return false;
    }
    char name[PATH_MAX];
    if (grantpt(master_) != 0 || unlockpt(master_) != 0 || ptsname_r(master_, name, sizeof name) != 0) {
        error = SystemError("pseudo-terminal set-up");
        Close();
        return false;
    }
    slavePath_ = name;
    slave_ = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave_ < 0) {
        error = SystemError(name);
        Close();
        return false;
    }
    // Raw from the first moment, so no line discipline ever echoes or
    // translates a byte before the host has set the line up.
    termios tio{};
    if (tcgetattr(slave_, &tio) != 0) {
        error = SystemError("tcgetattr");
        Close();
        return false;
    }
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    if (tcsetattr(slave_, TCSANOW, &tio) != 0) {
        error = SystemError("tcsetattr");
        Close();
        return false;
    }

    if (!MakeFolders(folder)) {
        error = SystemError(folder.c_str());
        Close();
        return false;
    }
    std::string link = folder + "COM" + std::to_string(port);
    // Link under a temporary name, then rename over whatever stood there.
    std::string temporary = link + ".velksim." + std::to_string(getpid());
    unlink(temporary.c_str());
    if (symlink(name, temporary.c_str()) != 0) {
        error = SystemError(temporary.c_str());
        Close();
        return false;
    }
    if (rename(temporary.c_str(), link.c_str()) != 0) {
        error = SystemError(link.c_str());
        unlink(temporary.c_str());
        Close();
        return false;
    }
    linkPath_ = link;
    return true;
}

void PtyLink::Close() {
    if (!linkPath_.empty()) {
        // Another simulator may have taken the name over meanwhile.
        char target[PATH_MAX];
        ssize_t n = readlink(linkPath_.c_str(), target, sizeof target - 1);
        if (n > 0 && std::string(target, static_cast<size_t>(n)) == slavePath_) unlink(linkPath_.c_str());
        linkPath_.clear();
    }
    if (slave_ >= 0) close(slave_);
    if (master_ >= 0) close(master_);
    slave_ = master_ = -1;
    slavePath_.clear();
}

bool PtyLink::HostSpeedIs(speed_t speed) const {
    termios tio{};
    if (slave_ < 0 || tcgetattr(slave_, &tio) != 0) return false;
    // An input speed of 0 means "the same as the output speed".
    const speed_t in = cfgetispeed(&tio);
    return cfgetospeed(&tio) == speed && (in == speed || in == B0);
}

bool PtyLink::HostHasUnread() const {
    // Polling the slave moves bytes still in flight into its queue first
    // (FIONREAD does not).
    pollfd p{slave_, POLLIN, 0};
    return slave_ >= 0 && poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
}
