#pragma once
// The channels of the primary-rate channel identification element (0x18),
// as the frame list shows them: "CH=" and the numbers, the B slot map, the H0
// map or the H11 channel.
#include <string>

#include "store/FrameLayout.h"

class ChannelList {
public:
    // The list ("1,2", "1～6,13～18", "1", "UnKnown") or empty.
    static std::string Text(const FrameLayout& frame);
    // "CH=" + Text, or empty when Text is.
    static std::string Field(const FrameLayout& frame);
};
