#include "tools/Progress.h"

#include <unistd.h>

#include <cstdio>

#include "base/FileIo.h"

namespace {

constexpr double kQuiet = 1.0;     // a run shorter than this shows nothing
constexpr double kRedraw = 0.25;

}  // namespace

Progress::Progress(int fd) : fd_(fd), on_(::isatty(fd) == 1), start_(on_ ? Now() : 0) {}

double Progress::Now() {
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

void Progress::Draw(uint64_t frames, uint64_t bytesDone, uint64_t bytesTotal) {
    const double now = Now(), lasted = now - start_;
    if (lasted < kQuiet || now - drawn_ < kRedraw) return;
    drawn_ = now;
    char share[64] = "";
    if (bytesTotal > 0) {
        const uint64_t percent = bytesDone * 100 / bytesTotal;
        std::snprintf(share, sizeof share, " (%u%% of %.1f MB read)", static_cast<unsigned>(percent > 100 ? 100 : percent),
                      static_cast<double>(bytesTotal) / 1e6);
    }
    char line[160];
    const int n = std::snprintf(line, sizeof line, "\r%llu frames%s, %.0f frames/s\033[K",
                                static_cast<unsigned long long>(frames), share, static_cast<double>(frames) / lasted);
    if (n > 0) FileIo::WriteAll(fd_, line, static_cast<size_t>(n) < sizeof line ? n : sizeof line - 1);
}

void Progress::Clear() {
    if (drawn_ == 0) return;
    drawn_ = 0;
    FileIo::WriteAll(fd_, "\r\033[K");
}
