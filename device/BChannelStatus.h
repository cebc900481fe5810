#pragma once
// The channel status snapshot: per direction (TX first, then RX) the 23 B
// channels, the D channel and whether the line is normal.
#include <array>
#include <cstdint>

struct BChannelStatus {
    static constexpr int kBChannels = 23;

    struct Direction {
        std::array<bool, kBChannels> bChannel{};  // B channels 1..23
        bool dChannel = false;
        bool lineNormal = false;

        bool operator==(const Direction&) const = default;
    };

    // Indexed by FrameRecord::kTx (0) and FrameRecord::kRx (1).
    std::array<Direction, 2> direction{};

    bool operator==(const BChannelStatus&) const = default;
};
