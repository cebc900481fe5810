#pragma once
// The facility information element: the protocol profile and, for remote
// operations, the component with its inner elements, lengths and the
// contents of invoke components.
#include "decode/ElementDecoder.h"

class FacilityDecoder {
public:
    static constexpr uint8_t kInvoke = 0xA1;
    static constexpr uint8_t kRemoteOperations = 0x11;

    // The fields of an octet from octet 3 on; the prefix is written.
    static void Content(DetailBuild& build, DetailItem& item, const ElementWalk::Place& place);
};
