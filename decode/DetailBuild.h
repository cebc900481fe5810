#pragma once
// The state of building the detail of one frame, shared by the decoders of
// its octets.
#include <cstdint>

#include "decode/FacilityState.h"
#include "decode/MessageCatalogue.h"
#include "options/DisplayOptions.h"
#include "store/FrameLayout.h"

struct DetailBuild {
    // What the decoder of the current element (or X.25 packet) remembers from
    // one octet to the next. Cleared when the element starts; only that
    // element's decoder reads and writes it, and names its states itself.
    struct ElementMemory {
        uint8_t state = 0;
        int32_t first = 0;
        int32_t second = 0;
    };

    DetailBuild(const FrameLayout& r, const DisplayOptions& o, const MessageCatalogue& c,
                FacilityState& f)
        : frame(r), options(o), catalogue(c), facility(f) {}

    bool Icons() const { return options.showIcons != 0; }
    bool Separators() const { return options.showSeparators != 0; }

    const FrameLayout& frame;
    const DisplayOptions& options;
    const MessageCatalogue& catalogue;
    // The facility decoder's values that outlive elements and frames.
    FacilityState& facility;
    ElementMemory element;
};
