#include "calls/TimeAxis.h"

#include <cstdio>
#include <iterator>

namespace {

// Each divides a day (or is whole days), so a day's midnight is always a tick.
constexpr int64_t kSteps[] = {
    1'000,     2'000,     5'000,     10'000,     15'000,     30'000,     60'000,     120'000,
    300'000,   600'000,   900'000,   1'800'000,  3'600'000,  7'200'000,  10'800'000, 21'600'000,
    43'200'000, 86'400'000, 172'800'000, 604'800'000, 2'592'000'000,
};

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

}  // namespace

int64_t TimeAxis::StepMs(double msPerPixel, double minGap) {
    for (int64_t step : kSteps)
        if (step >= msPerPixel * minGap) return step;
    return kSteps[std::size(kSteps) - 1];
}

std::string TimeAxis::Label(int64_t ms, bool seconds) {
    const int64_t ofDay = ms - FloorDiv(ms, kDayMs) * kDayMs;
    const int h = static_cast<int>(ofDay / 3'600'000), m = static_cast<int>(ofDay / 60'000 % 60),
              s = static_cast<int>(ofDay / 1000 % 60);
    char text[16];
    if (seconds) std::snprintf(text, sizeof text, "%02d:%02d:%02d", h, m, s);
    else std::snprintf(text, sizeof text, "%02d:%02d", h, m);
    return text;
}

std::vector<TimeAxis::Tick> TimeAxis::Ticks(int64_t fromMs, int64_t toMs, double msPerPixel, double minGap) {
    std::vector<Tick> ticks;
    if (toMs <= fromMs) return ticks;
    const int64_t step = StepMs(msPerPixel, minGap);
    for (int64_t ms = FloorDiv(fromMs + step - 1, step) * step; ms <= toMs; ms += step) {
        const int64_t day = FloorDiv(ms, kDayMs);
        ticks.push_back({ms, Label(ms, step < 60'000), day, day > 0 && ms == day * kDayMs});
    }
    return ticks;
}
