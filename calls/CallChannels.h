#pragma once
// The B channels a primary-rate channel identification element (0x18)
// names: channel numbers, a B slot map, H0 channels (k meaning channels
// 6k-5 to 6k, by number or by map) or the H11 channel (channels 1 to 24).
// A basic-rate element, another channel type, or an element without octet
// 3.2 names none.
#include <bitset>
#include <string>

#include "store/FrameLayout.h"

class CallChannels {
public:
    static constexpr int kLimit = 128;  // channel numbers are 7 bits

    // The channels of the element whose identifier stands at element; no
    // octet past the element's length or the information field is read.
    static CallChannels Read(const FrameLayout& frame, int element);

    bool Empty() const { return set_.none(); }
    bool Has(int channel) const { return channel >= 0 && channel < kLimit && set_.test(channel); }
    // Ascending, joined by "+": "1+2", empty for none.
    std::string Text() const;

    bool operator==(const CallChannels&) const = default;

private:
    void Add(int first, int last);

    std::bitset<kLimit> set_;
};
