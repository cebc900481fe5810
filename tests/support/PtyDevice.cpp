#include "tests/support/PtyDevice.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace {

std::string MakeFolder() {
    char dir[] = "/tmp/velkportsXXXXXX";
    if (!mkdtemp(dir)) std::abort();
    std::string folder = std::string(dir) + "/";
    setenv("VELKSCOPE_PORTS", folder.c_str(), 1);
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(TestPorts::Folder(), ec);
    });
    return folder;
}

// Before main: no test may ever fall back on the machine's own ports.
[[maybe_unused]] const std::string& kFolder = TestPorts::Folder();

}  // namespace

const std::string& TestPorts::Folder() {
    // Never destroyed: the exit handler that removes the folder needs it.
    static const std::string* folder = new std::string(MakeFolder());
    return *folder;
}

void TestPorts::Link(int number, const std::string& target) {
    Unlink(number);
    std::string link = Folder() + "COM" + std::to_string(number);
    if (symlink(target.c_str(), link.c_str()) != 0) std::abort();
}

void TestPorts::Unlink(int number) {
    unlink((Folder() + "COM" + std::to_string(number)).c_str());
}

bool WaitUntil(const std::function<bool()>& pred, int ms) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!pred()) {
        if (std::chrono::steady_clock::now() >= end) return pred();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

std::vector<uint8_t> BytesOf(const FrameRecord& r) {
    return std::vector<uint8_t>(r.Bytes(), r.Bytes() + r.Length());
}

PtyPair::PtyPair() {
    struct termios raw {};
    cfmakeraw(&raw);
    cfsetispeed(&raw, B9600);
    cfsetospeed(&raw, B9600);
    char name[256] = {};
    if (openpty(&master_, &slave_, name, &raw, nullptr) != 0) std::abort();
    slavePath_ = name;
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
}

PtyPair::~PtyPair() {
    CloseMaster();
    if (slave_ >= 0) close(slave_);
}

void PtyPair::CloseMaster() {
    if (master_ >= 0) close(master_);
    master_ = -1;
}

bool PtyPair::Write(std::string_view bytes) {
    size_t done = 0;
    int idle = 0;
    while (done < bytes.size()) {
        ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            idle = 0;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        if (++idle > 400) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void PtyPair::ReadNow(std::string& got) {
    char buf[4096];
    ssize_t n;
    while ((n = read(master_, buf, sizeof buf)) > 0) got.append(buf, static_cast<size_t>(n));
}

std::string PtyPair::Read(size_t want, int ms) {
    std::string got;
    WaitUntil([&] { ReadNow(got); return got.size() >= want; }, ms);
    return got;
}

std::string PtyPair::Drain(int settleMs) {
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    std::string got;
    ReadNow(got);
    return got;
}

speed_t PtyPair::SlaveSpeed() const {
    struct termios tio {};
    tcgetattr(slave_, &tio);
    return cfgetospeed(&tio);
}

FakeDevice::FakeDevice(PtyPair& pty, Script script)
    : pty_(pty), script_(std::move(script)), thread_(&FakeDevice::Run, this) {}

FakeDevice::~FakeDevice() {
    stop_ = true;
    thread_.join();
}

std::vector<std::string> FakeDevice::Commands() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return commands_;
}

bool FakeDevice::WaitForCommand(const std::string& command, int ms) const {
    return WaitUntil([&] {
        std::vector<std::string> all = Commands();
        return std::find(all.begin(), all.end(), command) != all.end();
    }, ms);
}

void FakeDevice::Run() {
    std::string line;
    while (!stop_) {
        struct pollfd p = {pty_.Master(), POLLIN, 0};
        if (poll(&p, 1, 10) <= 0) continue;
        if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        char buf[256];
        ssize_t n = read(pty_.Master(), buf, sizeof buf);
        for (ssize_t i = 0; i < n; ++i) {
            if (buf[i] == '\n') continue;
            if (buf[i] != '\r') {
                line += buf[i];
                continue;
            }
            {
                std::lock_guard<std::mutex> lock(mutex_);
                commands_.push_back(line);
            }
            // A device at another rate sees only garbage.
            if (pty_.SlaveSpeed() == script_.rate) Reply(line);
            line.clear();
        }
    }
}

void FakeDevice::Reply(const std::string& line) {
    if (line.empty()) return;
    std::string out = line.substr(0, 1) + "\r";
    if (line == "V" && !script_.identity.empty()) out += script_.identity + "\r";
    if (line == "T" && !script_.clock.empty()) out += script_.clock + "\r";
    if (line == "I")
        for (const std::string& s : script_.status) out += s + "\r";
    pty_.Write(out);
}
