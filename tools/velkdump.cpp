// velkdump: Velkscope's command-line tool for machines without a desktop.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cerrno>
#include <cstring>
#include <string>

#include "tools/CaptureCommand.h"

namespace {

std::atomic<bool> stopRequested{false};

void OnSignal(int) { stopRequested = true; }

int Usage() {
    std::fprintf(stderr,
                 "usage: velkdump --capture N [--count K] [-o FILE]\n"
                 "  --capture N  monitor the capture device on COMN and write its frames\n"
                 "               as a trace file (standard output, or FILE with -o)\n"
                 "  --count K    stop after K frames (default: until SIGINT or SIGTERM)\n");
    return 2;
}

bool ReadNumber(const char* text, unsigned long long& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtoull(text, &end, 10);
    return text[0] >= '0' && text[0] <= '9' && end && *end == '\0' && errno == 0;
}

}  // namespace

int main(int argc, char** argv) {
    CaptureCommand::Settings capture;
    bool captureMode = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        unsigned long long n = 0;
        if (arg == "--capture" && hasValue && ReadNumber(argv[++i], n) && n >= 1 && n <= 128) {
            captureMode = true;
            capture.comNumber = static_cast<int>(n);
        } else if (arg == "--count" && hasValue && ReadNumber(argv[++i], n) && n >= 1) {
            capture.count = n;
        } else if (arg == "-o" && hasValue) {
            capture.output = argv[++i];
        } else {
            return Usage();
        }
    }
    if (!captureMode) return Usage();

    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return CaptureCommand::Run(capture, stopRequested);
}
