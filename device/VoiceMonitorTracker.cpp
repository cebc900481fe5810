#include "device/VoiceMonitorTracker.h"

#include <algorithm>

void VoiceMonitorTracker::Reset() {
    previous_ = {};
    recency_ = {};
    changed_ = false;
}

void VoiceMonitorTracker::Update(const Lamps& active) {
    for (int row = 0; row < 2; ++row) {
        auto& list = recency_[row];
        for (int j = 0; j < kChannels; ++j) {
            if (active[row][j] == previous_[row][j]) continue;
            changed_ = true;
            const int channel = j + 1;
            if (active[row][j]) {
                std::move_backward(list.begin(), list.end() - 1, list.end());
                list[0] = channel;
            } else {
                auto it = std::find(list.begin(), list.end(), channel);
                if (it != list.end()) {
                    std::move(it + 1, list.end(), it);
                    list.back() = 0;
                }
            }
            previous_[row][j] = active[row][j];
        }
    }
}

bool VoiceMonitorTracker::TakeChanged() {
    bool was = changed_;
    changed_ = false;
    return was;
}
