#pragma once
// The facility information element: the protocol profile and, for remote
// operations, the component with its inner elements, lengths and the
// contents of invoke components.
#include "decode/DetailBuild.h"
#include "decode/DetailItem.h"
#include "decode/ElementWalk.h"

class FacilityDecoder {
public:
    // elementState values of the facility element.
    enum State : uint8_t {
        kComponentTag = 21,
        kComponentLength = 22,
        kComponentLength2 = 23,
        kInnerTag = 24,
        kInnerLength = 25,
        kInnerLength2 = 26,
        kContent = 27,
    };
    static constexpr uint8_t kInvoke = 0xA1;
    static constexpr uint8_t kRemoteOperations = 0x11;

    // The fields of an octet from octet 3 on; the prefix is written.
    static void Content(DetailBuild& build, DetailItem& item, const ElementWalk::Place& place);
};
