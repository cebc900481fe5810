#pragma once
// The decoders of the information elements of call-control messages: one
// small state machine per element kind, each called for one octet.
#include <string>

#include "decode/DetailBuild.h"
#include "decode/ElementWalk.h"

class ElementDecoders {
public:
    // Writes the whole item of the octet at position, placed by the walk:
    // a bare octet for elements without a decoder, else prefix and fields.
    static void Decode(DetailBuild& build, std::string& item, int position,
                       const ElementWalk::Place& place);
};
