// velksim: a simulated RQ-730 (or Tessaro) capture device on a pseudo-terminal.
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <string.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "sim/DeviceClock.h"
#include "sim/DeviceEmulator.h"
#include "sim/PtyLink.h"
#include "sim/ReplaySource.h"
#include "sim/TrafficGenerator.h"

namespace {

volatile sig_atomic_t gStop = 0;

void OnSignal(int) { gStop = 1; }

struct Options {
    int port = 1;
    DeviceEmulator::Model model = DeviceEmulator::kRq730;
    speed_t speed = B9600;
    int framesPerSecond = 20;
    bool seedGiven = false;
    uint64_t seed = 0;
    std::string replay;
    uint64_t count = 0;
    bool quiet = false;
    std::string logFile;
};

void Usage(FILE* out) {
    std::fputs(
        "usage: velksim [--port N] [--model rq730|tessaro] [--rate 9600|38400]\n"
        "               [--rate-fps N] [--seed S] [--replay FILE] [--count N]\n"
        "               [--log FILE] [--quiet]\n"
        "       velksim --help | --version\n"
        "Simulates the capture device on a pseudo-terminal linked as COMN in the\n"
        "ports folder ($VELKSCOPE_PORTS, else ports/ in the data folder).\n",
        out);
}

bool ParseNumber(const char* text, uint64_t& value) {
    if (!text || !*text) return false;
    char* end = nullptr;
    errno = 0;
    unsigned long long v = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0' || text[0] == '-') return false;
    value = v;
    return true;
}

// 0: run, 1: --help given, 2: bad arguments.
int ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        uint64_t n = 0;
        auto need = [&](bool ok) {
            if (!ok) std::fprintf(stderr, "velksim: bad or missing value for %s\n", arg.c_str());
            ++i;
            return ok;
        };
        if (arg == "--help" || arg == "-h") {
            Usage(stdout);
            return 1;
        } else if (arg == "--version") {
            std::printf("velksim %s\n", VELK_VERSION);
            return 1;
        } else if (arg == "--port") {
            if (!need(ParseNumber(value, n) && n >= 1 && n <= 256)) return 2;
            o.port = static_cast<int>(n);
        } else if (arg == "--model") {
            std::string m = value ? value : "";
            if (!need(m == "rq730" || m == "tessaro")) return 2;
            o.model = m == "tessaro" ? DeviceEmulator::kTessaro : DeviceEmulator::kRq730;
        } else if (arg == "--rate") {
            if (!need(ParseNumber(value, n) && (n == 9600 || n == 38400))) return 2;
            o.speed = n == 9600 ? B9600 : B38400;
        } else if (arg == "--rate-fps") {
            if (!need(ParseNumber(value, n) && n <= 100000)) return 2;
            o.framesPerSecond = static_cast<int>(n);
        } else if (arg == "--seed") {
            if (!need(ParseNumber(value, n))) return 2;
            o.seed = n;
            o.seedGiven = true;
        } else if (arg == "--replay") {
            if (!need(value != nullptr)) return 2;
            o.replay = value;
        } else if (arg == "--count") {
            if (!need(ParseNumber(value, n))) return 2;
            o.count = n;
        } else if (arg == "--log") {
            if (!need(value != nullptr)) return 2;
            o.logFile = value;
        } else if (arg == "--quiet") {
            o.quiet = true;
        } else {
            std::fprintf(stderr, "velksim: unknown option %s\n", arg.c_str());
            Usage(stderr);
            return 2;
        }
    }
    return 0;
}

// Writes what the line takes now; false when the master side failed for good.
bool WritePending(int fd, DeviceEmulator& device) {
    while (device.PendingSize() > 0) {
        ssize_t n = write(fd, device.PendingData(), device.PendingSize());
        if (n > 0) {
            device.Consumed(static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    int parsed = ParseOptions(argc, argv, options);
    if (parsed != 0) return parsed == 1 ? 0 : 2;

    FILE* logOut = stderr;
    if (!options.logFile.empty()) {
        logOut = std::fopen(options.logFile.c_str(), "a");
        if (!logOut) {
            std::fprintf(stderr, "velksim: cannot open log file %s: %s\n", options.logFile.c_str(),
                         strerror(errno));
            return 1;
        }
    }
    auto log = [&](const std::string& text) {
        if (options.quiet) return;
        std::fprintf(logOut, "velksim: %s\n", text.c_str());
        std::fflush(logOut);
    };

    std::unique_ptr<FrameSource> source;
    if (!options.replay.empty()) {
        auto replay = std::make_unique<ReplaySource>();
        ReplaySource::LoadResult result = replay->LoadFile(options.replay);
        if (result == ReplaySource::kUnreadable) {
            std::fprintf(stderr, "velksim: cannot read trace file %s\n", options.replay.c_str());
            return 1;
        }
        if (result == ReplaySource::kTruncated) log("trace file holds more frames than a store; the first are sent");
        log("replaying " + std::to_string(replay->Count()) + " frames of " + options.replay);
        source = std::move(replay);
    } else {
        if (!options.seedGiven)
            options.seed = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
        log("seed " + std::to_string(options.seed));
        source = std::make_unique<TrafficGenerator>(options.seed);
    }

    // SIGINT and SIGTERM only arrive inside ppoll, so the loop sees them at once.
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);
    sigset_t blocked, waitMask;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    sigaddset(&blocked, SIGHUP);
    sigprocmask(SIG_BLOCK, &blocked, &waitMask);
    sigdelset(&waitMask, SIGINT);
    sigdelset(&waitMask, SIGTERM);
    sigdelset(&waitMask, SIGHUP);

    PtyLink link;
    std::string error;
    if (!link.Open(options.port, PtyLink::PortsFolder(), options.speed, error)) {
        std::fprintf(stderr, "velksim: %s\n", error.c_str());
        return 1;
    }
    std::printf("velksim: COM%d -> %s\n", options.port, link.SlavePath().c_str());
    std::fflush(stdout);
    log("linked " + link.LinkPath() + (options.model == DeviceEmulator::kTessaro ? ", Tessaro" : ", RQ-730") +
        (options.speed == B9600 ? " at 9600 bit/s" : " at 38400 bit/s"));

    DeviceEmulator::Settings settings;
    settings.model = options.model;
    settings.framesPerSecond = options.framesPerSecond;
    settings.countLimit = options.count;
    DeviceEmulator device(settings, *source, log);

    const int fd = link.MasterFd();
    char buffer[4096];
    int status = 0;
    bool rateOk = false;
    while (!gStop) {
        const int64_t now = DeviceClock::SteadyMs();
        const bool rateNow = link.HostSpeedIs(options.speed);
        if (rateNow != rateOk) log(rateNow ? "host line rate matches" : "host line rate differs: silent");
        rateOk = rateNow;
        int timeout = 100;  // the rate is looked at again at least this often
        if (rateOk) {
            int due = device.Produce(now);
            if (due >= 0 && due < timeout) timeout = due;
        } else {
            device.DropUnsent();
        }
        pollfd pfd{fd, POLLIN, 0};
        if (rateOk && device.PendingSize() > 0) pfd.events |= POLLOUT;
        timespec ts{timeout / 1000, (timeout % 1000) * 1000000L};
        int ready = ppoll(&pfd, 1, &ts, &waitMask);
        if (ready < 0) {
            if (errno == EINTR) continue;
            std::fprintf(stderr, "velksim: poll: %s\n", strerror(errno));
            status = 1;
            break;
        }
        if (ready == 0) continue;
        if (pfd.revents & POLLIN) {
            ssize_t n = read(fd, buffer, sizeof buffer);
            if (n > 0) {
                // At a wrong rate the host's bytes are garbage to us.
                if (link.HostSpeedIs(options.speed)) {
                    device.Receive(buffer, static_cast<size_t>(n), DeviceClock::SteadyMs());
                } else {
                    device.DropPartialInput();
                }
            }
        }
        if (pfd.revents & POLLOUT) {
            if (!link.HostSpeedIs(options.speed)) {
                device.DropUnsent();
            } else if (!WritePending(fd, device)) {
                std::fprintf(stderr, "velksim: write: %s\n", strerror(errno));
                status = 1;
                break;
            }
        }
        if ((pfd.revents & (POLLHUP | POLLERR)) && !(pfd.revents & (POLLIN | POLLOUT))) {
            // Cannot happen while the slave is held open; do not spin if it does.
            usleep(10000);
        }
    }
    log("exiting, " + std::to_string(device.FramesSent()) + " frames sent");
    link.Close();
    if (logOut != stderr) std::fclose(logOut);
    return status;
}
