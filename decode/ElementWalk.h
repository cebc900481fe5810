#pragma once
// Which information element an octet of a call-control message belongs to:
// the walk over identifiers and length octets from the octet after the
// message type, trusting the length octets, blind to shifted codesets.
#include <climits>
#include <cstdint>
#include <string>

#include "store/FrameLayout.h"

class ElementWalk {
public:
    enum Kind : uint8_t {
        kNone,  // no decoder: bare octets
        kCharging, kChannelVariant, kBearer, kCause, kCallIdentity, kCallState, kChannel,
        kFacility, kProgress, kKeypad, kSignal, kFeatureActivation, kFeatureIndication,
        kPacketBinary, kPacketWindow, kPacketSize, kCallingNumber, kCallingSubaddress,
        kCalledNumber, kCalledSubaddress, kRestart, kLowLayer, kHighLayer, kUserUser,
        kShift, kSendingComplete,
        kKindCount,
    };
    struct Place {
        Kind kind = kNone;
        uint8_t identifier = 0;  // normalised
        int start = 0;           // position of the identifier octet
        int offset = 0;          // position - start
    };

    // A walk from the octet after the message type; first is that position.
    explicit ElementWalk(const FrameLayout& frame);
    ElementWalk(const FrameLayout& frame, int first)
        : frame_(frame), first_(first), start_(first), next_(first) {}

    // The element of position; positions must not decrease between calls.
    // A position before the first element gives kind kNone at offset 0.
    Place Locate(int position);

    // The same for one position, walking from the start.
    static Place LocateElement(const FrameLayout& frame, int position);

    // Below 0x80, 0xA0 and 0xA1 stay; anything else keeps its high nibble.
    static uint8_t Normalise(uint8_t identifier);
    static Kind KindOf(uint8_t normalised);
    static bool IsSingleOctet(Kind kind) { return kind == kShift || kind == kSendingComplete; }
    // The item tag (CP932), "" for kNone.
    static const std::string& Tag(Kind kind);

private:
    void Step();

    const FrameLayout frame_;
    int first_;
    int start_;
    int next_;
};
