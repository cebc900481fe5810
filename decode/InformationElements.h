#pragma once
// The information elements of call-control messages: one row per element
// kind (identifier, item tag, decoder), and the item of every element octet.
#include <cstdint>
#include <string>

#include "decode/ElementDecoder.h"

class InformationElements {
public:
    struct Element {
        uint8_t identifier;  // normalised
        const char* tag;     // UTF-8
        ElementDecoder::Function decoder;
    };

    // The row of a normalised identifier, or nullptr for an element without
    // a decoder.
    static const Element* Find(uint8_t identifier);
    // The item tag (CP932) of a normalised identifier, "" without a row.
    static const std::string& Tag(uint8_t identifier);

    // Writes the whole item of the element octet at position, placed by the
    // walk: a bare octet for elements without a decoder, else prefix and fields.
    static void Decode(DetailBuild& build, std::string& item, int position,
                       const ElementWalk::Place& place);
};
