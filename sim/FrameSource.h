#pragma once
// What the device puts on the line while it monitors: one D-channel frame
// after another, and the B channels in use per direction.
#include <cstdint>
#include <vector>

struct SimFrame {
    enum Direction : uint8_t { kTx = 0, kRx = 1 };
    uint8_t direction = kTx;
    // From the first address octet to the second FCS octet, no flags.
    std::vector<uint8_t> octets;
    // Deliberately damaged on the line: the FCS does not match.
    bool badFcs = false;
};

class FrameSource {
public:
    virtual ~FrameSource() = default;
    // The next frame; false when the source has no more.
    virtual bool Next(SimFrame& frame) = 0;
    // B channels in use after the frames handed out so far: bit i is channel i+1.
    virtual uint32_t ChannelMask(int direction) const = 0;
};
