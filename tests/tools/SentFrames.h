#pragma once
// Whether a capture holds exactly the frames velksim sent for a seed, in
// order and direction. Header-only, for the capture tests.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/TrafficGenerator.h"
#include "store/FrameStore.h"

namespace testsupport {

// "" when every frame matches; else what differs first. With fcsAfresh the
// frames' FCS octets are not compared (a capture read back from pcapng has
// them computed again).
inline std::string SentFramesDiffer(const FrameStore& store, uint32_t seed, bool fcsAfresh) {
    TrafficGenerator sent(seed);
    for (size_t i = 0; i < store.Count(); ++i) {
        SimFrame f;
        sent.Next(f);
        const FrameRecord& r = store.At(i);
        if (r.Direction() != f.direction) return "frame " + std::to_string(i) + ": direction";
        const size_t tail = fcsAfresh ? 3 : 1;
        if (fcsAfresh) f.octets.resize(f.octets.size() - 2);
        if (r.Length() < tail + 1 || std::vector<uint8_t>(r.Bytes() + 1, r.Bytes() + r.Length() - tail) != f.octets)
            return "frame " + std::to_string(i) + ": octets";
    }
    return "";
}

}  // namespace testsupport
