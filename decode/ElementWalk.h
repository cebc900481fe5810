#pragma once
// Which information element an octet of a call-control message belongs to:
// the walk over identifiers and length octets from the octet after the
// message type, trusting the length octets, blind to shifted codesets.
#include <climits>
#include <cstdint>

#include "store/FrameLayout.h"

class ElementWalk {
public:
    struct Place {
        uint8_t identifier = 0;  // normalised; 0 outside any element
        int start = 0;           // position of the identifier octet
        int offset = 0;          // position - start
    };

    // A walk from the octet after the message type.
    explicit ElementWalk(const FrameLayout& frame);
    // A walk from position first.
    ElementWalk(const FrameLayout& frame, int first)
        : frame_(frame), first_(first), start_(first), next_(first) {}

    // The element of position; positions must not decrease between calls.
    // A position before the first element gives identifier 0 at offset 0.
    Place Locate(int position);
    // The identifier position of the next element, false after the last.
    bool Next(int& start);

    // The same for one position, walking from the start.
    static Place LocateElement(const FrameLayout& frame, int position);

    // Below 0x80, 0xA0 and 0xA1 stay; other single-octet identifiers keep
    // their high nibble.
    static uint8_t Normalise(uint8_t identifier);

private:
    // Moves to the element that starts at next_.
    void Step();

    const FrameLayout frame_;
    int first_;
    int start_;
    int next_;
};
