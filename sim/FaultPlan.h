#pragma once
// Protocol faults the generator puts on the line on request, each exactly
// once, at its first chance once the first frames have set the links up:
// a RELEASE COMPLETE that answers a RELEASE is not sent, a SETUP goes
// without its Bearer capability, an I frame is sent a second time right
// after itself. The rest of the traffic stays what the seed makes it: the
// faults draw the random numbers the plain frames would.
#include <cstdint>
#include <iterator>
#include <string_view>

class FaultPlan {
public:
    enum Fault : uint8_t { kDropReleaseComplete = 1, kNoBearer = 2, kRepeatNs = 4 };
    // Frames before the first chance: the links are up by then.
    static constexpr uint64_t kFirstFrame = 200;
    // The names --inject takes, in the order of Fault.
    static constexpr std::string_view kNames[] = {"drop-release-complete", "no-bearer", "repeat-ns"};

    FaultPlan() = default;
    explicit FaultPlan(uint8_t faults) : pending_(faults) {}

    // Plans the fault of that name; false for a name not in kNames.
    bool Add(std::string_view name) {
        for (size_t i = 0; i < std::size(kNames); ++i)
            if (name == kNames[i]) {
                pending_ |= static_cast<uint8_t>(1u << i);
                return true;
            }
        return false;
    }
    // Whether the fault is to go on the line now, when the frame about to be
    // queued is frame n (from 0); yes only once.
    bool Take(Fault fault, uint64_t n) {
        if (!(pending_ & fault) || n < kFirstFrame) return false;
        pending_ &= static_cast<uint8_t>(~fault);
        return true;
    }
    bool Any() const { return pending_ != 0; }

private:
    uint8_t pending_ = 0;
};
