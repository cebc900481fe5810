#include "store/FrameLayout.h"

FrameLayout::FrameLayout(const FrameRecord& record)
    : record_(&record), bodyEnd_(record.BodyEnd()) {
    sapi_ = BodyByte(kAddressOffset);
    if (sapi_ != kAbsent) sapi_ >>= 2;
    // The address ends at the first octet with the EA bit set; without one
    // all of the body is address.
    const int end = static_cast<int>(bodyEnd_);
    control_ = end;
    for (int i = kAddressOffset; i < end; ++i)
        if (BodyByte(i) & 0x01) {
            control_ = i + 1;
            addressEnds_ = true;
            break;
        }
    firstControl_ = BodyByte(control_);
    info_ = control_ + (IsUFrame() ? 1 : 2);
    infoPresent_ = addressEnds_ && firstControl_ != kAbsent && info_ <= end;
    callRefLength_ = BodyByte(info_ + 1);
    if (callRefLength_ != kAbsent) callRefLength_ &= 0x0F;
    messageType_ = IsUIFrame() ? info_ + 3 : info_ + 2 + NominalCallRefLength();
}

FrameLayout::Protocol FrameLayout::ProtocolOf(int sapi) {
    switch (sapi) {
        case 0: return kCallControl;
        case 16: return kPacket;
        case 63: return kManagement;
        default: return kOtherSapi;
    }
}

int FrameLayout::InfoOctet(int offset) const {
    if (!infoPresent_ || offset < 0) return kAbsent;
    return BodyByte(info_ + offset);
}

int FrameLayout::CallRefLength() const { return infoPresent_ ? callRefLength_ : kAbsent; }

int FrameLayout::CallReference() const {
    const int length = CallRefLength();
    if (length == kAbsent) return kNoCallReference;
    if (length == 0) return kDummyCallReference;
    const int first = InfoOctet(2);
    if (first == kAbsent) return kNoCallReference;
    if (length != 2) return first & 0x7F;
    const int second = InfoOctet(3);
    if (second == kAbsent) return kNoCallReference;
    return (first & 0x7F) * 256 + second;
}

int FrameLayout::MessageTypeOffset() const {
    if (!infoPresent_) return kAbsent;
    if (!IsUIFrame() && callRefLength_ == kAbsent) return kAbsent;
    return BodyByte(messageType_) == kAbsent ? kAbsent : messageType_;
}
