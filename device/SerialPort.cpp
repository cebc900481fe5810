#include "device/SerialPort.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "device/ComPorts.h"

namespace {

struct LineCode {
    const char* piece;
    speed_t speed;  // 0 for the codes that are not a rate
};

// Codes 4..16; codes 0..3 are not used.
constexpr LineCode kCodes[] = {
    {"1200, ", B1200}, {"2400, ", B2400}, {"4800, ", B4800}, {"9600, ", B9600},
    {"19200, ", B19200}, {"38400, ", B38400},
    {"n, ", 0}, {"e, ", 0}, {"o, ", 0},
    {"8, ", 0}, {"7, ", 0},
    {"1", 0}, {"2", 0},
};

// What a read or write on a device that went away fails with.
bool GoneError(int error) { return error == EIO || error == ENXIO || error == ENODEV; }

const LineCode* Lookup(int code) {
    if (code < SerialPort::kBaud1200 || code > SerialPort::kStop2) return nullptr;
    return &kCodes[code - SerialPort::kBaud1200];
}

}  // namespace

SerialPort::~SerialPort() { Close(); }

std::string SerialPort::Name() const {
    char name[32];
    std::snprintf(name, sizeof name, portIndex_ <= 8 ? "COM%d" : "\\\\.\\COM%d", portIndex_ + 1);
    return name;
}

std::string SerialPort::Definition() const {
    std::string text = Name() + ":";
    for (int code : {baudCode_, parityCode_, dataBitsCode_, stopBitsCode_}) {
        if (const LineCode* c = Lookup(code)) text += c->piece;
    }
    return text;
}

bool SerialPort::Open(int portIndex) {
    if (portIndex < 0 || portIndex > kMaxPortIndex) return false;
    portIndex_ = portIndex;
    Close();
    std::string path = ComPorts::DevicePath(portIndex);
    int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    // TIOCEXCL does not stop root, so the lock is what keeps a second
    // opener (this process or another) out.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    ioctl(fd, TIOCEXCL);
    fd_ = fd;
    devicePath_ = path;
    char node[PATH_MAX];
    struct stat st;
    if (realpath(path.c_str(), node) && fstat(fd, &st) == 0) {
        node_ = node;
        nodeDevice_ = st.st_dev;
        nodeInode_ = st.st_ino;
    }
    Configure();
    return true;
}

void SerialPort::Close() {
    if (fd_ < 0) return;
    ioctl(fd_, TIOCNXCL);
    close(fd_);
    fd_ = -1;
    node_.clear();
    vanished_ = false;
}

bool SerialPort::SetBaudCode(int code) {
    if (code < kBaud1200 || code > kBaud38400) return false;
    baudCode_ = static_cast<uint8_t>(code);
    return Configure();
}

bool SerialPort::Configure() {
    if (fd_ < 0) return false;
    struct termios tio;
    if (tcgetattr(fd_, &tio) != 0) return false;
    // Raw bytes, receiver on, modem lines ignored, no flow control of any kind.
    cfmakeraw(&tio);
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag |= dataBitsCode_ == kData7 ? CS7 : CS8;
    if (parityCode_ == kParityEven) tio.c_cflag |= PARENB;
    if (parityCode_ == kParityOdd) tio.c_cflag |= PARENB | PARODD;
    if (stopBitsCode_ == kStop2) tio.c_cflag |= CSTOPB;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    const LineCode* rate = Lookup(baudCode_);
    if (!rate || rate->speed == 0) return false;
    cfsetispeed(&tio, rate->speed);
    cfsetospeed(&tio, rate->speed);
    if (tcsetattr(fd_, TCSANOW, &tio) != 0) return false;
    // tcsetattr succeeds when any part was applied; the rate must have been.
    struct termios applied;
    if (tcgetattr(fd_, &applied) != 0 || cfgetospeed(&applied) != rate->speed) return false;
    return true;
}

bool SerialPort::Write(const uint8_t* bytes, size_t length) {
    if (fd_ < 0) return false;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
    size_t done = 0;
    while (done < length) {
        ssize_t n = write(fd_, bytes + done, length - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            if (GoneError(errno)) vanished_ = true;
            return false;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return false;
        struct pollfd p = {fd_, POLLOUT, 0};
        int r = poll(&p, 1, static_cast<int>(left.count()));
        if (r < 0 && errno != EINTR) return false;
        if (r > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL))) {
            vanished_ = true;
            return false;
        }
    }
    return true;
}

size_t SerialPort::Read(uint8_t* buffer, size_t maximum) {
    if (fd_ < 0 || maximum == 0) return 0;
    ssize_t n;
    do {
        n = read(fd_, buffer, maximum);
    } while (n < 0 && errno == EINTR);
    if (n > 0) return static_cast<size_t>(n);
    if ((n < 0 && GoneError(errno)) || LineGone()) vanished_ = true;
    return 0;
}

bool SerialPort::LineGone() const {
    struct pollfd p = {fd_, POLLIN, 0};
    if (poll(&p, 1, 0) > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL))) return true;
    struct stat st;
    return !node_.empty() && (stat(node_.c_str(), &st) != 0 || st.st_dev != nodeDevice_ || st.st_ino != nodeInode_);
}

void SerialPort::SetTerminator(const uint8_t* bytes, size_t length) {
    if (bytes && length > 0)
        terminator_.assign(bytes, bytes + length);
    else
        terminator_.clear();
    scanned_ = 0;
}

bool SerialPort::Send(const uint8_t* bytes, size_t length) {
    if (!Write(bytes, length)) return false;
    if (terminator_.empty()) return true;
    return Write(terminator_.data(), terminator_.size());
}

void SerialPort::DiscardQueued() {
    queue_.clear();
    pending_ = 0;
    scanned_ = 0;
}

size_t SerialPort::ReadLine(uint8_t* buffer, size_t maximum) {
    uint8_t scratch[kReadChunk];
    size_t got = Read(scratch, sizeof scratch);
    queue_.insert(queue_.end(), scratch, scratch + got);

    if (pending_ == 0 && !terminator_.empty() && queue_.size() >= terminator_.size()) {
        const size_t last = queue_.size() - terminator_.size();  // last possible start
        size_t pos = scanned_;
        for (; pos <= last; ++pos) {
            if (queue_[pos] != terminator_[0]) continue;
            size_t k = 1;
            while (k < terminator_.size() && queue_[pos + k] == terminator_[k]) ++k;
            if (k == terminator_.size()) {
                pending_ = pos + terminator_.size();
                break;
            }
        }
        // Every start up to here has been ruled out; a later scan resumes
        // there instead of walking a long unfinished line again.
        scanned_ = pending_ ? 0 : pos;
    }
    if (pending_ == 0) return 0;

    size_t moved = 0;
    while (pending_ > 0 && moved < maximum && !queue_.empty()) {
        buffer[moved++] = queue_.front();
        queue_.pop_front();
        --pending_;
    }
    return moved;
}
