#pragma once
// The information elements of a call-control message as the list's summary
// finds them. Every read stays before the FCS and answers kAbsent otherwise.
#include "store/FrameLayout.h"

class FrameQueries {
public:
    static constexpr int kAbsent = FrameLayout::kAbsent;

    // Position of the first information element with this identifier (below
    // 0x80) after the message type, or kAbsent. Shift elements are not
    // interpreted; a length octet that is not in the frame ends the search.
    static int FindElement(const FrameLayout& frame, int identifier);
    // The element's length octet and its octet n (3 = the first after the
    // length octet), or kAbsent.
    static int ElementLength(const FrameLayout& frame, int element);
    static int ElementOctet(const FrameLayout& frame, int element, int n);
};
