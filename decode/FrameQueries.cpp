#include "decode/FrameQueries.h"

#include "decode/ElementWalk.h"

int FrameQueries::FindElement(const FrameLayout& frame, int identifier) {
    ElementWalk walk(frame);
    for (int start; walk.Next(start);)
        if (frame.BodyByte(start) == identifier) return start;
    return kAbsent;
}

int FrameQueries::ElementLength(const FrameLayout& frame, int element) {
    return element == kAbsent ? kAbsent : frame.BodyByte(element + 1);
}

int FrameQueries::ElementOctet(const FrameLayout& frame, int element, int n) {
    return element == kAbsent || n < 3 ? kAbsent : frame.BodyByte(element + n - 1);
}
