#include "search/RelatedFrames.h"

#include "store/FrameLayout.h"

int RelatedFrames::CallReferenceValue(const FrameRecord& record) {
    const int value = FrameLayout(record).CallReference();
    return value < 0 ? FrameLayout::kDummyCallReference : value;
}

std::deque<uint32_t> RelatedFrames::From(const FrameStore& store, size_t position) {
    std::deque<uint32_t> positions;
    if (position >= store.Count()) return positions;
    const int value = CallReferenceValue(store.At(position));
    for (size_t p = position; p < store.Count(); ++p)
        if (CallReferenceValue(store.At(p)) == value) positions.push_back(static_cast<uint32_t>(p));
    return positions;
}
