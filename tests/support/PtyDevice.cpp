#include "tests/support/PtyDevice.h"

#include <poll.h>

#include <filesystem>

namespace {

std::string MakeFolder() {
    char dir[] = "/tmp/velkportsXXXXXX";
    if (!mkdtemp(dir)) std::abort();
    std::string folder = std::string(dir) + "/";
    setenv("VELKSCOPE_PORTS", folder.c_str(), 1);
    std::atexit([] { std::error_code ec; std::filesystem::remove_all(TestPorts::Folder(), ec); });
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
    if (symlink(target.c_str(), (Folder() + "COM" + std::to_string(number)).c_str()) != 0) std::abort();
}

void TestPorts::Unlink(int number) { unlink((Folder() + "COM" + std::to_string(number)).c_str()); }

std::string Shown(const FrameRecord& r) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string s = (r.IsRx() ? "RX " : "TX ") + r.Time().Format() + " ";
    for (uint32_t i = 0; i < r.Length(); ++i) s += {kDigits[r.Bytes()[i] >> 4], kDigits[r.Bytes()[i] & 15]};
    return s;
}

bool PtyPair::Write(std::string_view bytes) {
    for (ssize_t n; !bytes.empty(); bytes.remove_prefix(static_cast<size_t>(n)))
        if ((n = write(master, bytes.data(), bytes.size())) <= 0) return false;
    return true;
}

std::string PtyPair::Read(size_t want, int ms) {
    std::string got;
    char buf[4096];
    for (struct pollfd p = {master, POLLIN, 0}; got.size() < want && poll(&p, 1, ms) > 0;) {
        ssize_t n = read(master, buf, sizeof buf);
        if (n <= 0) break;
        got.append(buf, static_cast<size_t>(n));
    }
    return got;
}
