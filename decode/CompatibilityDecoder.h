#pragma once
// The elements that describe a call's bearer and its users' layers: bearer
// capability (0x04), low layer compatibility (0x7C) and high layer
// compatibility (0x7D).
#include "decode/ElementDecoder.h"

class CompatibilityDecoder {
public:
    static void Bearer(DetailBuild& build, DetailItem& item, const ElementWalk::Place& place);
    static void LowLayer(DetailBuild& build, DetailItem& item, const ElementWalk::Place& place);
    static void HighLayer(DetailBuild& build, DetailItem& item, const ElementWalk::Place& place);
};
