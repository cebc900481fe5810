#pragma once
// The kinds of X.25 packets on SAPI 16, named from the packet type identifier
// (information field octet 2) and the frame's direction; the values are the
// catalogue's "IF_X25_PTYPE:" keys. The list and the detail share them.
#include <cstdint>

#include "store/FrameLayout.h"

class X25PacketKind {
public:
    enum Kind : int8_t {
        kNone = -1,  // an identifier without a kind (reject, diagnostic, ...)
        kCallRequest = 0,
        kIncomingCall = 1,
        kCallAccepted = 2,
        kCallConnected = 3,
        kClearRequest = 4,
        kClearIndication = 5,
        kDteClearConfirmation = 6,
        kDceClearConfirmation = 7,
        kRestartRequest = 8,
        kRestartIndication = 9,
        kRestartConfirmation = 10,
        kData = 11,
        kReceiveReady = 12,
        kReceiveNotReady = 13,
        kResetRequest = 14,
        kResetIndication = 15,
        kResetConfirmation = 16,
        kInterrupt = 17,
        kInterruptConfirmation = 18,
    };

    static Kind Of(int identifier, bool rx);
    // kNone also when the frame has no packet type identifier.
    static Kind Of(const FrameLayout& frame);

    static bool IsCall(Kind kind) { return kind >= kCallRequest && kind <= kCallConnected; }
    static bool IsClear(Kind kind) { return kind == kClearRequest || kind == kClearIndication; }
    static bool IsRestart(Kind kind) { return kind == kRestartRequest || kind == kRestartIndication; }
};
