#pragma once
// The related search: the frames of one call reference value, from a
// given frame to the end of the store.
#include <cstdint>
#include <deque>

#include "store/FrameStore.h"

class RelatedFrames {
public:
    // The call reference value of a frame; every frame without one (the
    // dummy call reference, or no layer-3 header at all) has the same value.
    static int CallReferenceValue(const FrameRecord& record);
    // Positions from position on, itself included, whose value equals its
    // value, ascending; empty for a position outside the store.
    static std::deque<uint32_t> From(const FrameStore& store, size_t position);
};
