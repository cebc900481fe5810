#include "decode/X25PacketKind.h"

namespace {

using K = X25PacketKind;

// Identifiers whose kind is fixed, with their TX and RX kinds.
struct FixedKind {
    uint8_t identifier;
    K::Kind tx;
    K::Kind rx;
};
constexpr FixedKind kFixed[] = {
    {0x0B, K::kCallRequest, K::kIncomingCall},
    {0x0F, K::kCallAccepted, K::kCallConnected},
    {0x13, K::kClearRequest, K::kClearIndication},
    {0x17, K::kDteClearConfirmation, K::kDceClearConfirmation},
    {0xFB, K::kRestartRequest, K::kRestartIndication},
    {0xFF, K::kRestartConfirmation, K::kRestartConfirmation},
    {0x1B, K::kResetRequest, K::kResetIndication},
    {0x1F, K::kResetConfirmation, K::kResetConfirmation},
    {0x23, K::kInterrupt, K::kInterrupt},
    {0x27, K::kInterruptConfirmation, K::kInterruptConfirmation},
};

}  // namespace

X25PacketKind::Kind X25PacketKind::Of(int identifier, bool rx) {
    for (const FixedKind& row : kFixed)
        if (row.identifier == identifier) return rx ? row.rx : row.tx;
    // Data packets carry P(S) and P(R); RR and RNR carry P(R).
    if (!(identifier & 0x01)) return kData;
    if ((identifier & 0x1F) == 0x01) return kReceiveReady;
    if ((identifier & 0x1F) == 0x05) return kReceiveNotReady;
    return kNone;
}

X25PacketKind::Kind X25PacketKind::Of(const FrameLayout& frame) {
    const int identifier = frame.InfoOctet(2);
    return identifier == FrameLayout::kAbsent ? kNone : Of(identifier, frame.Record().IsRx());
}
