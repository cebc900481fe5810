#pragma once
// The device's time-of-day clock: set from the host's local time at start or
// by the set-clock command, then running with the steady clock, so it never
// goes back on its own (except at midnight, when it wraps to 00:00:00.000).
#include <cstdint>

#include "store/TimeStamp.h"

class DeviceClock {
public:
    static constexpr int64_t kDayMs = 24LL * 3600 * 1000;

    // Milliseconds of the steady clock.
    static int64_t SteadyMs();
    // Milliseconds since local midnight now.
    static int64_t LocalTimeOfDayMs();

    // The clock reads timeOfDayMs at steady time steadyMs.
    void Set(int64_t timeOfDayMs, int64_t steadyMs);
    void Set(const TimeStamp& time, int64_t steadyMs);
    TimeStamp At(int64_t steadyMs) const;

private:
    int64_t base_ = 0;        // time of day at steadyBase_
    int64_t steadyBase_ = 0;
};
