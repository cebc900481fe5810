#pragma once
// The cause element (0x08): location, cause value and the diagnostic whose
// form follows the cause value.
#include "decode/ElementDecoder.h"

class CauseDecoder {
public:
    // Cause values (ITU-T Q.850) whose diagnostics the decoder reads.
    enum CauseValue : int {
        kUnallocatedNumber = 1,
        kNoRouteToDestination = 3,
        kNormalClearing = 16,
        kCallRejected = 21,
        kQualityOfServiceUnavailable = 49,
        kMessageNotCompatible = 98,  // the diagnostic is a message type
        kTimerExpiry = 102,          // the diagnostic is the timer's number
        kNoCauseValue = 0x80,
    };

    static void Cause(DetailBuild& build, DetailItem& item, const ElementWalk::Place& place);
    // The cause value of the element starting at start: the second octet with
    // bit 8 set from octet 3 on, within the declared length and the
    // information field; kNoCauseValue when there is none.
    static int CauseValueOf(const FrameLayout& frame, int start);
};
