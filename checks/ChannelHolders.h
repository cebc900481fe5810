#pragma once
// Which open calls hold each B channel: a call holds the channels its
// latest channel identification named until it lets them go (RELEASE or
// RELEASE COMPLETE). Telling a call's new channels names the other calls
// that hold one of them already.
#include <cstdint>
#include <vector>

#include "calls/CallChannels.h"

class ChannelHolders {
public:
    // Call now holds now instead of before; visit(other, channel) for each
    // channel of now another call holds.
    template <typename Visit>
    void Hold(uint64_t call, const CallChannels& before, const CallChannels& now, Visit visit) {
        for (int c = 1; c < CallChannels::kLimit; ++c) {
            if (!now.Has(c)) {
                if (before.Has(c)) Drop(call, c);
                continue;
            }
            for (uint64_t other : holders_[c])
                if (other != call) visit(other, c);
            if (!before.Has(c)) holders_[c].push_back(call);
        }
    }
    void Release(uint64_t call, const CallChannels& held);
    void Clear();

private:
    void Drop(uint64_t call, int channel);

    std::vector<uint64_t> holders_[CallChannels::kLimit];
};
