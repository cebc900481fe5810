#include "device/ComPorts.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "base/DataFolder.h"

namespace {

namespace fs = std::filesystem;

// The decimal number after `prefix` in `name`, or -1 when the rest of the
// name is not a plain decimal number without leading zeros.
long NumberAfter(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return -1;
    // "COM012" is not how COM12 is written; opening COM12 would not find it.
    if (name[prefix.size()] == '0' && name.size() > prefix.size() + 1) return -1;
    long value = 0;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
        char c = name[i];
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
        if (value > 100000) return -1;
    }
    return value;
}

struct Named {
    long number;
    std::string name;
};

// Entries of `folder` named prefix<number>, in ascending number order.
std::vector<Named> NumberedEntries(const std::string& folder, const std::string& prefix,
                                   bool linksOnly) {
    std::vector<Named> found;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) return found;
    for (fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) break;
        std::string name = it->path().filename().string();
        long n = NumberAfter(name, prefix);
        if (n < 0) continue;
        if (linksOnly) {
            std::error_code lec;
            if (!it->is_symlink(lec)) continue;
        }
        found.push_back({n, name});
    }
    std::sort(found.begin(), found.end(),
              [](const Named& a, const Named& b) { return a.number < b.number; });
    return found;
}

std::string LinkTarget(const std::string& link) {
    char resolved[PATH_MAX];
    if (realpath(link.c_str(), resolved)) return resolved;
    return link;
}

bool Exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

}  // namespace

std::string ComPorts::Folder() {
    const char* env = std::getenv("VELKSCOPE_PORTS");
    if (env && *env) {
        std::string folder = env;
        if (folder.back() != '/') folder += '/';
        return folder;
    }
    return DataFolder::Path() + "ports/";
}

ComPorts::Roots ComPorts::SystemRoots() {
    Roots roots;
    roots.portsFolder = Folder();
    return roots;
}

bool ComPorts::IsRealUart(const std::string& devicePath) {
    int fd = open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct serial_struct info {};
    bool real = ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    close(fd);
    return real;
}

std::vector<ComPortEntry> ComPorts::List() { return List(SystemRoots()); }

std::vector<ComPortEntry> ComPorts::List(const Roots& roots) {
    std::vector<ComPortEntry> ports;
    std::set<long> used;
    for (const Named& link : NumberedEntries(roots.portsFolder, "COM", true)) {
        if (link.number < 1 || !used.insert(link.number).second) continue;
        ports.push_back({static_cast<int>(link.number),
                         LinkTarget(roots.portsFolder + link.name)});
    }
    for (const Named& tty : NumberedEntries(roots.devFolder, "ttyS", false)) {
        long number = tty.number + 1;
        if (used.count(number)) continue;
        if (!Exists(roots.sysTtyFolder + tty.name + "/device")) continue;
        std::string path = roots.devFolder + tty.name;
        if (!IsRealUart(path)) continue;
        used.insert(number);
        ports.push_back({static_cast<int>(number), path});
    }
    long next = 1;
    for (const char* prefix : {"ttyUSB", "ttyACM"}) {
        for (const Named& tty : NumberedEntries(roots.devFolder, prefix, false)) {
            while (used.count(next)) ++next;
            used.insert(next);
            ports.push_back({static_cast<int>(next), roots.devFolder + tty.name});
        }
    }
    std::stable_sort(ports.begin(), ports.end(), [](const ComPortEntry& a, const ComPortEntry& b) {
        return a.number < b.number;
    });
    return ports;
}

std::string ComPorts::DevicePath(int portIndex) { return DevicePath(portIndex, SystemRoots()); }

std::string ComPorts::DevicePath(int portIndex, const Roots& roots) {
    if (portIndex < 0) return {};
    const std::string number = std::to_string(portIndex + 1);
    std::string link = roots.portsFolder + "COM" + number;
    struct stat st;
    if (lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) return link;
    // A USB adapter shown in the port list on this number must open as
    // that adapter, not as an unrelated ttyS node of the same number.
    bool adapters = !NumberedEntries(roots.devFolder, "ttyUSB", false).empty() ||
                    !NumberedEntries(roots.devFolder, "ttyACM", false).empty();
    for (const ComPortEntry& entry : adapters ? List(roots) : std::vector<ComPortEntry>{}) {
        if (entry.number != portIndex + 1) continue;
        if (entry.path.compare(0, roots.devFolder.size() + 6, roots.devFolder + "ttyUSB") == 0 ||
            entry.path.compare(0, roots.devFolder.size() + 6, roots.devFolder + "ttyACM") == 0)
            return entry.path;
        break;
    }
    return roots.devFolder + "ttyS" + std::to_string(portIndex);
}
