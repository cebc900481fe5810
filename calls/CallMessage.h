#pragma once
// What one frame says to the call tracker: whether it counts (good FCS,
// SAPI 0, an I or UI frame carrying protocol discriminator 0x08 and a call
// reference of one or two octets whose value is not 0), the call's key, the
// message type and the information elements a call keeps. Elements are read
// by codeset, as shift elements announce them: the call elements in codeset
// 0, the charging information in codeset 6. Nothing is read outside the
// frame or from the FCS on.
#include <cstdint>
#include <string>

#include "calls/CallChannels.h"
#include "store/FrameLayout.h"

class CallMessage {
public:
    static constexpr int kAbsent = FrameLayout::kAbsent;

    // Message types the tracker tells apart (the octet AND 0x7F).
    enum Type : int {
        kNoMessage = -1,  // the frame ends before its message type
        kAlerting = 0x01,
        kSetup = 0x05,
        kConnect = 0x07,
        kDisconnect = 0x45,
        kRelease = 0x4D,
        kReleaseComplete = 0x5A,
        kInformation = 0x7B,
    };

    // The record must outlive the message.
    explicit CallMessage(const FrameRecord& record);

    bool Counts() const { return counts_; }
    // (TEI, call reference value, originating side) in one number; only
    // for a frame that counts.
    uint32_t Key() const { return static_cast<uint32_t>(tei_) << 16 | callReference_ << 1 | originatingSide_; }
    int Tei() const { return tei_; }
    int CallReference() const { return callReference_; }
    uint8_t Direction() const { return direction_; }
    // The frame's direction when the call reference flag is 0, the other when it is 1.
    uint8_t OriginatingSide() const { return originatingSide_; }
    bool FromOriginatingSide() const { return direction_ == originatingSide_; }
    int MessageType() const { return messageType_; }
    // DISCONNECT, RELEASE or RELEASE COMPLETE.
    bool IsClearing() const;

    bool HasCallingNumber() const { return calling_ != kAbsent; }
    // Digits of the first calling party number (as the list shows them), and
    // its presentation indicator: bits 7-6 of octet 3a, 0 without octet 3a.
    std::string CallingDigits() const;
    int Presentation() const;
    // The digits of every called party number element, in order.
    void AppendCalledDigits(std::string& out) const;
    bool HasChannels() const { return channel_ != kAbsent; }
    CallChannels Channels() const;
    // Cause value and location of the first cause element; false when there
    // is none or it ends before its cause value.
    bool Cause(int& value, int& location) const;
    // The characters of the last charging information element, as the
    // detail shows them; false when there is none.
    bool Charge(std::string& chars) const;

private:
    void ReadHeader();
    void FindElements();
    std::string Digits(int element, bool mayHaveOctet3a) const;

    const FrameLayout frame_;
    bool counts_ = false;
    int tei_ = 0;
    int callReference_ = 0;
    uint8_t direction_ = 0;
    uint8_t originatingSide_ = 0;
    int messageType_ = kNoMessage;
    // Positions of the elements a call keeps, or kAbsent.
    int calling_ = kAbsent;
    int channel_ = kAbsent;
    int cause_ = kAbsent;
    int charge_ = kAbsent;
};
