#pragma once
// The simulator's next frame as a record, flags around it, stamped with a
// time of day given in milliseconds (wrapping at midnight).
#include "sim/TrafficGenerator.h"
#include "tests/support/TestSupport.h"

inline FrameRecord NextSimulatedFrame(TrafficGenerator& generator, int ms) {
    SimFrame sim;
    generator.Next(sim);
    std::vector<uint8_t> bytes{0x7E};
    bytes.insert(bytes.end(), sim.octets.begin(), sim.octets.end());
    bytes.push_back(0x7E);
    FrameRecord r = testsupport::RawFrame(bytes, sim.direction);
    ms %= 86'400'000;
    TimeStamp t;
    t.Set(ms / 3'600'000, ms / 60'000 % 60, ms / 1000 % 60, ms % 1000);
    r.SetTime(t);
    return r;
}
