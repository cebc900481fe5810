#pragma once
// The X.25 packet carried in the information field of a SAPI 16 frame:
// header, packet type, causes, address block, facilities and user data.
#include <string>

#include "decode/DetailBuild.h"

class X25Decoder {
public:
    // Writes the whole item of the octet at position, offset octets from the
    // start of the information field.
    static void Decode(DetailBuild& build, std::string& item, int position, int offset);
};
