#pragma once
// Where the fields of one LAPD frame stand: address, control, information
// field, call reference and message type, worked out once from the record's
// octets. Every decoder reads a frame through its layout; a record converts
// to its layout where one is expected.
//
// Queries answer kAbsent when the octets they need are not in the frame (at
// or past the FCS). The nominal positions are those of the fields in their
// order even where their octets are missing, for the octet classification of
// the detail.
#include <cstddef>
#include <cstdint>

#include "store/FrameRecord.h"

class FrameLayout {
public:
    static constexpr int kAbsent = FrameRecord::kAbsent;
    static constexpr int kDummyCallReference = -1;
    static constexpr int kNoCallReference = -2;
    static constexpr int kAddressOffset = 1;

    // The layer-3 protocol a SAPI carries.
    enum Protocol : uint8_t { kOtherSapi, kCallControl, kPacket, kManagement };

    FrameLayout(const FrameRecord& record);  // NOLINT: a record is read through its layout

    const FrameRecord& Record() const { return *record_; }
    size_t BodyEnd() const { return bodyEnd_; }
    int BodyByte(int position) const { return record_->BodyByte(position); }

    int Sapi() const { return sapi_; }
    Protocol SapiProtocol() const { return ProtocolOf(sapi_); }
    static Protocol ProtocolOf(int sapi);

    int ControlOffset() const { return addressEnds_ ? control_ : kAbsent; }
    // The control octet that tells the frame format, or kAbsent.
    int FirstControlOctet() const { return firstControl_; }
    bool IsIFrame() const { return firstControl_ != kAbsent && (firstControl_ & 0x01) == 0; }
    bool IsSFrame() const { return firstControl_ != kAbsent && (firstControl_ & 0x03) == 0x01; }
    bool IsUFrame() const { return firstControl_ != kAbsent && (firstControl_ & 0x03) == 0x03; }
    bool IsUIFrame() const { return firstControl_ != kAbsent && (firstControl_ & ~0x10) == 0x03; }

    // An empty information field is allowed; a missing second control octet is not.
    int InfoOffset() const { return infoPresent_ ? info_ : kAbsent; }
    // Octet `offset` of the information field, or kAbsent.
    int InfoOctet(int offset) const;
    int CallRefLength() const;
    // kDummyCallReference for length 0, kNoCallReference when the octets are missing.
    int CallReference() const;
    int MessageTypeOffset() const;

    int NominalControl() const { return control_; }
    int NominalInfo() const { return info_; }
    int NominalCallRefLength() const { return callRefLength_ == kAbsent ? 0 : callRefLength_; }
    int NominalMessageType() const { return messageType_; }

private:
    const FrameRecord* record_;
    size_t bodyEnd_;
    int sapi_;
    bool addressEnds_ = false;
    int control_;        // the body's end when the address does not end
    int firstControl_;
    bool infoPresent_ = false;
    int info_;
    int callRefLength_;  // from the octet after the protocol discriminator
    int messageType_;
};
