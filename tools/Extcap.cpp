#include "tools/Extcap.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "base/FileIo.h"
#include "device/ComPorts.h"
#include "files/PcapngWriter.h"
#include "tools/DeviceCapture.h"

std::string Extcap::Interfaces() {
    std::string out = std::string("extcap {version=") + VELK_VERSION + "}{help=https://velkscope.io/}\n";
    for (const ComPortEntry& port : ComPorts::List()) {
        const std::string name = "COM" + std::to_string(port.number);
        out += "interface {value=" + name + "}{display=Velkscope RQ-730 D channel on " + name + " (" + port.path +
               ")}\n";
    }
    return out;
}

std::string Extcap::Dlts() { return "dlt {number=203}{name=LAPD}{display=LAPD (Q.921) D channel}\n"; }

std::string Extcap::Config() {
    return "arg {number=0}{call=--no-rate-fallback}{display=Stay at 9600 bit/s}"
           "{tooltip=Do not try 38400 bit/s when the device does not answer at 9600}{type=boolflag}\n"
           "arg {number=1}{call=--count}{display=Frames to capture}"
           "{tooltip=Stop after this many frames; 0 captures until stopped}{type=unsigned}{default=0}\n";
}

int Extcap::ComNumber(const std::string& interface) {
    if (interface.size() < 4 || interface.compare(0, 3, "COM") != 0 || interface.size() > 6) return 0;
    int n = 0;
    for (size_t i = 3; i < interface.size(); ++i) {
        if (interface[i] < '0' || interface[i] > '9') return 0;
        n = n * 10 + (interface[i] - '0');
    }
    return n;
}

int Extcap::Run(const Capture& capture, const std::atomic<bool>& stop) {
    const int com = ComNumber(capture.interface);
    if (com < 1 || com > 256) {
        std::fprintf(stderr, "velkscope-extcap: no such interface %s\n", capture.interface.c_str());
        return 1;
    }
    const int fifo = ::open(capture.fifo.c_str(), O_WRONLY | O_CLOEXEC);
    if (fifo < 0) {
        std::fprintf(stderr, "velkscope-extcap: cannot open %s: %s\n", capture.fifo.c_str(), std::strerror(errno));
        return 1;
    }
    // The device's time of day on today's date; a time that goes back is the next day.
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    int64_t midnight = 0;
    PcapngWriter::MidnightOf(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, midnight);
    std::string pending;
    PcapngWriter writer(pending, midnight);
    bool ok = FileIo::WriteAll(fifo, pending);
    pending.clear();
    int result = 2;
    if (ok) {
        result = DeviceCapture::Run({com, capture.count, capture.rateFallback, "velkscope-extcap"},
                                    [&](const FrameRecord& record) {
                                        writer.Append(record);
                                        const bool written = FileIo::WriteAll(fifo, pending);
                                        pending.clear();
                                        return written;
                                    },
                                    stop);
    }
    ::close(fifo);
    return result;
}
