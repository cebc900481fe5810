#pragma once
// The state of building the detail of one frame, shared by the decoders of
// its octets.
#include <cstdint>

#include "decode/FacilityState.h"
#include "decode/MessageCatalogue.h"
#include "options/DisplayOptions.h"
#include "store/FrameLayout.h"

struct DetailBuild {
    DetailBuild(const FrameLayout& r, const DisplayOptions& o, const MessageCatalogue& c,
                FacilityState& f)
        : frame(r), options(o), catalogue(c), facility(f) {}

    bool Icons() const { return options.showIcons != 0; }
    bool Separators() const { return options.showSeparators != 0; }

    const FrameLayout& frame;
    const DisplayOptions& options;
    const MessageCatalogue& catalogue;
    FacilityState& facility;
    // Role of the next octet inside the current element or packet.
    uint8_t elementState = 2;
    // The X.25 address lengths, facility length and parameter counts.
    int32_t first = 0;
    int32_t second = 0;
};
