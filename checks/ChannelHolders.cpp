#include "checks/ChannelHolders.h"

#include <algorithm>

void ChannelHolders::Drop(uint64_t call, int channel) {
    std::vector<uint64_t>& holders = holders_[channel];
    const auto it = std::find(holders.begin(), holders.end(), call);
    if (it != holders.end()) holders.erase(it);
}

void ChannelHolders::Release(uint64_t call, const CallChannels& held) {
    for (int c = 1; c < CallChannels::kLimit; ++c)
        if (held.Has(c)) Drop(call, c);
}

void ChannelHolders::Clear() {
    for (std::vector<uint64_t>& holders : holders_) holders.clear();
}
