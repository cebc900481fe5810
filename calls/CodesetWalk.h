#pragma once
// The information elements of a call-control message with the codeset each
// stands in, as shift elements announce them: a locking shift holds until
// the next one, a non-locking shift covers the next element only.
#include "decode/ElementWalk.h"
#include "store/FrameLayout.h"

class CodesetWalk {
public:
    // visit(codeset, identifier, position) for each element but the shifts, in order.
    template <typename Visit>
    static void Walk(const FrameLayout& frame, Visit visit) {
        ElementWalk walk(frame);
        int locked = 0;
        int once = -1;
        for (int start; walk.Next(start);) {
            const int identifier = frame.BodyByte(start);
            // Shift elements: 1001, the non-locking bit, the codeset.
            if ((identifier & 0xF0) == 0x90) {
                (identifier & 0x08 ? once : locked) = identifier & 0x07;
                continue;
            }
            visit(once >= 0 ? once : locked, identifier, start);
            once = -1;
        }
    }
};
