#pragma once
// What the checks read of one call-control message's information elements,
// in one walk: which codeset-0 elements it has, the first element out of
// ascending order within its codeset, and the octets of the few elements
// the checks look into (call state, restart class, channel identification).
#include <bitset>
#include <cstdint>

#include "store/FrameLayout.h"

class MessageElements {
public:
    static constexpr int kAbsent = FrameLayout::kAbsent;

    enum Identifier : uint8_t {
        kBearerCapability = 0x04,
        kCause = 0x08,
        kCallState = 0x14,
        kChannelIdentification = 0x18,
        kFacility = 0x1C,
        kProgressIndicator = 0x1E,
        kNotificationIndicator = 0x27,
        kRestartIndicator = 0x79,
    };

    // The frame must outlive the elements.
    explicit MessageElements(const FrameLayout& frame);

    // A variable-length element of codeset 0 with this identifier.
    bool Has(int identifier) const { return identifier >= 0 && identifier < 0x80 && present_.test(identifier); }
    // The first variable-length element whose identifier is below the one
    // before it in its codeset: false when they all ascend.
    bool OutOfOrder(int& codeset, int& before, int& identifier) const;
    // Octet 3 of the first call state element: coding standard (bits 8-7)
    // and state value (bits 6-1); kAbsent without it.
    int CallStateOctet() const { return callState_; }
    // The class of the first restart indicator (bits 3-1), or kAbsent.
    int RestartClass() const { return restartClass_; }
    // Position of the first channel identification element, or kAbsent.
    int Channel() const { return channel_; }

private:
    std::bitset<0x80> present_;
    int orderCodeset_ = kAbsent;
    int orderBefore_ = kAbsent;
    int orderIdentifier_ = kAbsent;
    int callState_ = kAbsent;
    int restartClass_ = kAbsent;
    int channel_ = kAbsent;
};
