// velksim: a simulated RQ-730 (or Tessaro) capture device on a pseudo-terminal.
#include <errno.h>
#include <signal.h>
#include <string.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "base/Signals.h"
#include "sim/DeviceEmulator.h"
#include "sim/FaultPlan.h"
#include "sim/LineLoop.h"
#include "sim/PtyLink.h"
#include "sim/ReplaySource.h"
#include "sim/TrafficGenerator.h"

namespace {

// Set by SIGINT, SIGTERM and SIGHUP.
std::atomic<bool> gStop{false};

struct Options {
    int port = 1;
    DeviceEmulator::Model model = DeviceEmulator::kRq730;
    speed_t speed = B9600;
    int framesPerSecond = 20;
    bool seedGiven = false;
    uint64_t seed = 0;
    std::string replay;
    uint64_t count = 0;
    uint64_t vanishAfter = 0;
    bool quiet = false;
    std::string logFile;
    FaultPlan faults;
};

void Usage(FILE* out) {
    std::fputs(
        "usage: velksim [--port N] [--model rq730|tessaro] [--rate 9600|38400]\n"
        "               [--rate-fps N] [--seed S] [--replay FILE] [--count N]\n"
        "               [--vanish-after N] [--inject FAULT]... [--log FILE] [--quiet]\n"
        "       velksim --help | --version\n"
        "Simulates the capture device on a pseudo-terminal linked as COMN in the\n"
        "ports folder ($VELKSCOPE_PORTS, else ports/ in the data folder).\n"
        "With --vanish-after N it goes away after N frames, once the host has read\n"
        "them: the line hangs up and the link goes, as an unplugged adapter does.\n"
        "--inject FAULT puts one protocol fault into the generated traffic, once,\n"
        "at its first chance after the first 200 frames; it may be given for each:\n"
        "  drop-release-complete  a RELEASE COMPLETE answering a RELEASE is not sent\n"
        "  no-bearer              a SETUP goes without its Bearer capability\n"
        "  repeat-ns              an I frame is sent twice, the same N(S)\n"
        "The rest of the traffic is what the seed gives without them.\n",
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
        } else if (arg == "--vanish-after") {
            if (!need(ParseNumber(value, n) && n >= 1)) return 2;
            o.vanishAfter = n;
        } else if (arg == "--inject") {
            if (!need(value != nullptr && o.faults.Add(value))) return 2;
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
    if (o.faults.Any() && !o.replay.empty()) {
        std::fprintf(stderr, "velksim: --inject works on generated traffic, not with --replay\n");
        return 2;
    }
    return 0;
}

// Where the run's messages go: stderr, or the --log file when one is given
// (said on stderr when it cannot be opened: null).
FILE* OpenLog(const std::string& path) {
    if (path.empty()) return stderr;
    FILE* out = std::fopen(path.c_str(), "a");
    if (!out) std::fprintf(stderr, "velksim: cannot open log file %s: %s\n", path.c_str(), strerror(errno));
    return out;
}

// The run's messages, one a line; none with --quiet.
DeviceEmulator::Log LogTo(FILE* out, bool quiet) {
    return [out, quiet](const std::string& text) {
        if (quiet) return;
        std::fprintf(out, "velksim: %s\n", text.c_str());
        std::fflush(out);
    };
}

// The trace file to replay, else the generator of the seed (the clock's when
// none is given); null when the trace file cannot be read.
std::unique_ptr<FrameSource> MakeSource(const Options& options, const DeviceEmulator::Log& log) {
    if (options.replay.empty()) {
        const uint64_t seed = options.seedGiven ? options.seed
            : static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
        log("seed " + std::to_string(seed));
        return std::make_unique<TrafficGenerator>(seed, options.faults);
    }
    auto replay = std::make_unique<ReplaySource>();
    ReplaySource::LoadResult result = replay->LoadFile(options.replay);
    if (result == ReplaySource::kUnreadable) {
        std::fprintf(stderr, "velksim: cannot read trace file %s\n", options.replay.c_str());
        return nullptr;
    }
    if (result == ReplaySource::kTruncated) log("trace file holds more frames than a store; the first are sent");
    log("replaying " + std::to_string(replay->Count()) + " frames of " + options.replay);
    return replay;
}

// SIGINT, SIGTERM and SIGHUP set gStop and arrive only inside ppoll with the
// mask returned, so the loop sees them at once.
sigset_t CatchTerminationSignals() {
    Signals::StopFlagOn({SIGINT, SIGTERM, SIGHUP}, gStop);
    Signals::IgnoreBrokenPipe();
    return Signals::DeliverOnlyInWait({SIGINT, SIGTERM, SIGHUP});
}

// The pseudo-terminal linked as COMn; its slave's path goes to stdout for
// whoever started us.
bool OpenLink(const Options& options, PtyLink& link, const DeviceEmulator::Log& log) {
    std::string error;
    if (!link.Open(options.port, PtyLink::PortsFolder(), options.speed, error)) {
        std::fprintf(stderr, "velksim: %s\n", error.c_str());
        return false;
    }
    std::printf("velksim: COM%d -> %s\n", options.port, link.SlavePath().c_str());
    std::fflush(stdout);
    log("linked " + link.LinkPath() + (options.model == DeviceEmulator::kTessaro ? ", Tessaro" : ", RQ-730") +
        (options.speed == B9600 ? " at 9600 bit/s" : " at 38400 bit/s"));
    return true;
}

DeviceEmulator::Settings DeviceSettings(const Options& options) {
    DeviceEmulator::Settings settings;
    settings.model = options.model;
    settings.framesPerSecond = options.framesPerSecond;
    settings.countLimit = options.count;
    settings.vanishAfter = options.vanishAfter;
    return settings;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    const int parsed = ParseOptions(argc, argv, options);
    if (parsed != 0) return parsed == 1 ? 0 : 2;

    FILE* logOut = OpenLog(options.logFile);
    if (!logOut) return 1;
    const DeviceEmulator::Log log = LogTo(logOut, options.quiet);
    std::unique_ptr<FrameSource> source = MakeSource(options, log);
    if (!source) return 1;
    const sigset_t waitMask = CatchTerminationSignals();
    PtyLink link;
    if (!OpenLink(options, link, log)) return 1;

    DeviceEmulator device(DeviceSettings(options), *source, log);
    const bool ok = LineLoop(link, device, options.speed, log).Run(gStop, waitMask);
    // Ended without a signal or a failure: the device goes away.
    log((ok && !gStop ? "vanishing, " : "exiting, ") + std::to_string(device.FramesSent()) + " frames sent");
    link.Close();
    if (logOut != stderr) std::fclose(logOut);
    return ok ? 0 : 1;
}
