#include "tests/support/PtyDevice.h"

#include <errno.h>

#include <chrono>
#include <filesystem>
#include <thread>

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

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(5)); }

}  // namespace

const std::string& TestPorts::Folder() {
    // Never destroyed: the exit handler that removes the folder needs it.
    static const std::string* folder = new std::string(MakeFolder());
    return *folder;
}

void TestPorts::Link(int number, const std::string& target) {
    Unlink(number);
    if (symlink(target.c_str(), (Folder() + "COM" + std::to_string(number)).c_str()) != 0) std::abort();
}

void TestPorts::Unlink(int number) { unlink((Folder() + "COM" + std::to_string(number)).c_str()); }

bool WaitUntil(const std::function<bool()>& pred, int ms) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!pred()) {
        if (std::chrono::steady_clock::now() >= end) return pred();
        Pause();
    }
    return true;
}

std::string Shown(const FrameRecord& r) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string s = (r.IsRx() ? "RX " : "TX ") + r.Time().Format() + " ";
    for (uint32_t i = 0; i < r.Length(); ++i) s += {kDigits[r.Bytes()[i] >> 4], kDigits[r.Bytes()[i] & 15]};
    return s;
}

bool PtyPair::Write(std::string_view bytes) {
    for (int idle = 0; idle < 400;) {
        ssize_t n = write(master, bytes.data(), bytes.size());
        if (n > 0) bytes.remove_prefix(static_cast<size_t>(n));
        if (bytes.empty()) return true;
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        idle = n > 0 ? 0 : idle + 1;
        if (n <= 0) Pause();
    }
    return false;
}

std::string PtyPair::Read(size_t want, int ms) {
    std::string got;
    WaitUntil([&] {
        char buf[4096];
        for (ssize_t n; (n = read(master, buf, sizeof buf)) > 0;) got.append(buf, static_cast<size_t>(n));
        return got.size() >= want;
    }, ms);
    return got;
}
