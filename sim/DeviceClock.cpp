#include "sim/DeviceClock.h"

#include <ctime>

int64_t DeviceClock::SteadyMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

int64_t DeviceClock::LocalTimeOfDayMs() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    time_t seconds = ts.tv_sec;
    tm local{};
    localtime_r(&seconds, &local);
    return ((local.tm_hour * 60LL + local.tm_min) * 60 + local.tm_sec) * 1000 + ts.tv_nsec / 1000000;
}

void DeviceClock::Set(int64_t timeOfDayMs, int64_t steadyMs) {
    base_ = ((timeOfDayMs % kDayMs) + kDayMs) % kDayMs;
    steadyBase_ = steadyMs;
}

void DeviceClock::Set(const TimeStamp& time, int64_t steadyMs) {
    Set(((time.Hours() * 60LL + time.Minutes()) * 60 + time.Seconds()) * 1000 + time.Milliseconds(),
        steadyMs);
}

TimeStamp DeviceClock::At(int64_t steadyMs) const {
    int64_t elapsed = steadyMs - steadyBase_;
    if (elapsed < 0) elapsed = 0;
    int64_t ms = (base_ + elapsed) % kDayMs;
    TimeStamp t;
    t.Set(static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60),
          static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000));
    return t;
}
