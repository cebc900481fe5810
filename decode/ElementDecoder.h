#pragma once
// The decoder of one information element kind: called for each octet from
// the element's octet 3 on, with the item's prefix already written; it adds
// the octet's fields and keeps its place in the element in
// DetailBuild::element, under state names of its own.
#include <cstdint>
#include <string_view>

#include "decode/DetailBuild.h"
#include "decode/DetailItem.h"
#include "decode/ElementWalk.h"

class ElementDecoder {
public:
    using Function = void (*)(DetailBuild& build, DetailItem& item, const ElementWalk::Place& place);

    // Bit 8 clear: an extension octet (3a, 4a, ...) follows.
    static bool Extended(uint8_t octet) { return (octet & 0x80) == 0; }
    // One field whose value is the catalogue's text of key.
    static void Look(DetailItem& item, const MessageCatalogue& catalogue, uint8_t mask,
                     std::string_view label, MessageCatalogue::Section section, uint8_t key) {
        item.Field(mask, label).Add(catalogue.Lookup(section, key));
    }
};
