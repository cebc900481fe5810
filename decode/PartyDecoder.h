#pragma once
// The parties of a call: calling party number (0x6C) and subaddress (0x6D),
// called party number (0x70) and subaddress (0x71).
#include "decode/ElementDecoder.h"

class PartyDecoder {
public:
    static void CallingNumber(DetailBuild& build, DetailItem& item, const ElementWalk::Place& place);
    static void CallingSubaddress(DetailBuild& build, DetailItem& item, const ElementWalk::Place& place);
    static void CalledNumber(DetailBuild& build, DetailItem& item, const ElementWalk::Place& place);
    static void CalledSubaddress(DetailBuild& build, DetailItem& item, const ElementWalk::Place& place);
};
