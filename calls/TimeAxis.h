#pragma once
// The ticks of a time axis over a visible span: the first step of the usual
// clock steps (1 s ... 12 h, days) that keeps ticks at least a gap of
// pixels apart, ticks at its multiples from the midnight of the first day,
// each labelled with its time of day (hh:mm, or hh:mm:ss below a minute's
// step) and the day it falls on, counted from the first (0). A tick at a
// midnight after the first is a day change.
#include <cstdint>
#include <string>
#include <vector>

class TimeAxis {
public:
    static constexpr int64_t kDayMs = 86'400'000;

    struct Tick {
        int64_t ms = 0;
        std::string label;  // ASCII
        int64_t day = 0;
        bool dayChange = false;
    };

    // The step for ticks at least minGap pixels apart at msPerPixel.
    static int64_t StepMs(double msPerPixel, double minGap);
    // The ticks in [fromMs, toMs]; none for an empty span.
    static std::vector<Tick> Ticks(int64_t fromMs, int64_t toMs, double msPerPixel, double minGap);
    // A time of day as the ticks label it.
    static std::string Label(int64_t ms, bool seconds);
};
