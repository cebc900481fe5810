// velkscope-extcap: the capture device as a Wireshark capture interface
// (Wireshark's extcap interface; put it into Wireshark's extcap folder).
#include <signal.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/Signals.h"
#include "tools/Extcap.h"

namespace {

// Set by SIGINT and SIGTERM: Wireshark's stop button.
std::atomic<bool> stopRequested{false};

}  // namespace

int main(int argc, char** argv) {
    enum { kNone, kInterfaces, kDlts, kConfig, kCapture } step = kNone;
    Extcap::Capture capture;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i], value;
        // "--name=value" and "--name value" alike.
        const size_t equals = arg.find('=');
        const bool inlineValue = equals != std::string::npos;
        if (inlineValue) {
            value = arg.substr(equals + 1);
            arg.resize(equals);
        }
        auto take = [&]() -> std::string {
            if (inlineValue) return value;
            return i + 1 < argc ? argv[++i] : "";
        };
        if (arg == "--extcap-interfaces") step = kInterfaces;
        else if (arg == "--extcap-dlts") step = kDlts;
        else if (arg == "--extcap-config") step = kConfig;
        else if (arg == "--capture") step = kCapture;
        else if (arg == "--extcap-interface") capture.interface = take();
        else if (arg == "--fifo") capture.fifo = take();
        else if (arg == "--count") capture.count = std::strtoull(take().c_str(), nullptr, 10);
        else if (arg == "--no-rate-fallback") capture.rateFallback = false;
        else if (arg == "--version") {
            std::printf("velkscope-extcap %s\n", VELK_VERSION);
            return 0;
        } else if (arg == "--extcap-capture-filter" && !inlineValue) {
            ++i;  // no capture filters: every frame is taken
        }
        // Other options of newer Wireshark versions (--extcap-version, ...) need no answer.
    }
    switch (step) {
        case kInterfaces: std::fputs(Extcap::Interfaces().c_str(), stdout); return 0;
        case kDlts: std::fputs(Extcap::Dlts().c_str(), stdout); return 0;
        case kConfig: std::fputs(Extcap::Config().c_str(), stdout); return 0;
        case kCapture: break;
        case kNone:
            std::fprintf(stderr, "usage: velkscope-extcap --extcap-interfaces | --extcap-dlts | --extcap-config |\n"
                                 "       --capture --extcap-interface COMn --fifo PIPE [--count N] [--no-rate-fallback]\n");
            return 2;
    }
    Signals::StopFlagOn({SIGINT, SIGTERM}, stopRequested);
    Signals::IgnoreBrokenPipe();
    return Extcap::Run(capture, stopRequested);
}
