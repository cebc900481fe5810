#pragma once
// A full store of simulated primary-rate D-channel traffic (the simulator's
// generator, seed 7), with times a tenth of a second apart: the realistic
// store the benchmarks share.
#include <vector>

#include "sim/TrafficGenerator.h"
#include "store/FrameStore.h"

inline void FillSimulated(FrameStore& store) {
    TrafficGenerator generator(7);
    SimFrame frame;
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < FrameStore::kCapacity; ++i) {
        generator.Next(frame);
        bytes.assign(1, 0x7E);
        bytes.insert(bytes.end(), frame.octets.begin(), frame.octets.end());
        bytes.push_back(0x7E);
        FrameRecord r(frame.direction);
        r.SetBytes(bytes.data(), bytes.size());
        TimeStamp t;
        t.Set(static_cast<int>(i / 36000 % 24), static_cast<int>(i / 600 % 60), static_cast<int>(i / 10 % 60),
              static_cast<int>(i * 97 % 1000));
        r.SetTime(t);
        store.Add(r, true);
    }
}
