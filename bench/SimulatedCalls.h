#pragma once
// A tracker full of simulated calls (100,000, the tracker's bound, as the
// program holds them), made once, for the benchmarks of the call views.
#include <vector>

#include "calls/CallTracker.h"
#include "sim/TrafficGenerator.h"

namespace simulatedcalls {

inline FrameRecord Simulated(TrafficGenerator& generator, size_t i) {
    SimFrame frame;
    generator.Next(frame);
    std::vector<uint8_t> bytes{0x7E};
    bytes.insert(bytes.end(), frame.octets.begin(), frame.octets.end());
    bytes.push_back(0x7E);
    FrameRecord r(frame.direction);
    r.SetBytes(bytes.data(), bytes.size());
    // A tenth of a second apart, over days.
    const int ms = static_cast<int>(i % 864'000 * 100);
    TimeStamp t;
    t.Set(ms / 3'600'000, ms / 60'000 % 60, ms / 1000 % 60, ms % 1000);
    r.SetTime(t);
    r.SetIndex(static_cast<int32_t>(i));
    return r;
}

// Frames until the tracker holds its bound and has dropped some.
inline const CallTracker& Full() {
    static CallTracker tracker;
    if (tracker.Count() == 0) {
        TrafficGenerator generator(7);
        for (size_t i = 0; tracker.FirstNumber() < 100; ++i) tracker.Add(Simulated(generator, i));
    }
    return tracker;
}

}  // namespace simulatedcalls
