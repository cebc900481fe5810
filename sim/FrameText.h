#pragma once
// The device's line for one frame: "TX[hh:mm:ss.mmm]" or "RX[...]", then the
// octets as upper-case hex, then CR.
#include <cstdint>
#include <string>
#include <vector>

#include "store/TimeStamp.h"

class FrameText {
public:
    static void AppendLine(std::string& out, uint8_t direction, const TimeStamp& time,
                           const std::vector<uint8_t>& octets);
    // "[hh:mm:ss.mmm]"
    static std::string Bracketed(const TimeStamp& time);
};
