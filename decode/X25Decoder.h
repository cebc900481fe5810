#pragma once
// The X.25 packet carried in the information field of a SAPI 16 frame:
// header, packet type, causes, address block, facilities and user data.
#include <string>

#include "decode/DetailBuild.h"

class X25Decoder {
public:
    // elementState values of the packet layer.
    enum State : uint8_t {
        kAddressLengths = 14,
        kAddressDigits = 37,
        kClearingCause = 38,
        kClearingDiagnostic = 39,
        kRestartCause = 40,
        kRestartDiagnostic = 41,
        kFacilityLength = 42,
        kFacilityCode = 43,
        kFastSelect = 44,
        kThroughput = 45,
        kPacketSizes = 47,
        kWindowSizes = 48,
        kUnknownParameter = 51,
        kUserData = 52,
    };
    static constexpr int kData = 11;

    // Writes the whole item of the octet at position, offset octets from the
    // start of the information field.
    static void Decode(DetailBuild& build, std::string& item, int position, int offset);
};
