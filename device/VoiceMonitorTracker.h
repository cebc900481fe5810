#pragma once
// The order in which B channels became active, per direction, so that the
// automatic voice monitor follows the most recently seized channel and
// falls back to an earlier one still busy when it is released.
#include <array>

class VoiceMonitorTracker {
public:
    static constexpr int kChannels = 23;
    static constexpr int kTx = 0;
    static constexpr int kRx = 1;
    // Per row (TX, RX): whether B lamp 1..23 shows the active colour.
    using Lamps = std::array<std::array<bool, kChannels>, 2>;

    void Reset();
    void Update(const Lamps& active);
    // Channel 1..23 most recently activated and still active; 0 for none.
    int MostRecent(int row) const { return recency_[row & 1][0]; }
    // Whether an activation or release was seen since the last call.
    bool TakeChanged();

    const std::array<int, kChannels>& Recency(int row) const { return recency_[row & 1]; }

private:
    Lamps previous_{};
    std::array<std::array<int, kChannels>, 2> recency_{};
    bool changed_ = false;
};
