#pragma once
// Channel identification (0x18) and its variant (0x03): interface, the
// channel numbers or the slot maps of B, H0 and H11 channels.
#include "decode/ElementDecoder.h"

class ChannelDecoder {
public:
    static void Channel(DetailBuild& build, DetailItem& item, const ElementWalk::Place& place);
    static void Variant(DetailBuild& build, DetailItem& item, const ElementWalk::Place& place);
};
