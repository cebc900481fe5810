#include "calls/CallMessage.h"

#include "calls/CodesetWalk.h"
#include "calls/ElementOctets.h"
#include "decode/Layer2Fields.h"
#include "decode/Layer3Fields.h"
#include "decode/PrintableOctet.h"

namespace {

constexpr int kCallControlDiscriminator = 0x08;

enum Identifier : uint8_t {
    kCharging = 0x01,  // codeset 6
    kCause = 0x08,
    kChannelIdentification = 0x18,
    kCallingNumber = 0x6C,
    kCalledNumber = 0x70,
};

}  // namespace

CallMessage::CallMessage(const FrameRecord& record) : frame_(record) {
    ReadHeader();
    if (counts_) FindElements();
}

void CallMessage::ReadHeader() {
    const FrameRecord& record = frame_.Record();
    if (!record.CheckCrc() || frame_.Sapi() != 0 || !(frame_.IsIFrame() || frame_.IsUIFrame())) return;
    const int length = frame_.CallRefLength();
    if (frame_.InfoOctet(0) != kCallControlDiscriminator || (length != 1 && length != 2)) return;
    const int value = frame_.CallReference();
    if (value <= 0) return;  // the global call reference, or octets missing
    // A frame that ends before its message type still counts, as a message
    // of no type.
    counts_ = true;
    tei_ = Layer2Fields::Tei(frame_);
    callReference_ = value;
    direction_ = record.IsTx() ? FrameRecord::kTx : FrameRecord::kRx;
    const bool flag = (frame_.InfoOctet(2) & 0x80) != 0;
    originatingSide_ = flag ? static_cast<uint8_t>(1 - direction_) : direction_;
    // The message type where the list reads it: for a UI frame the fourth
    // octet of the information field, whatever the call reference length,
    // so that a call and the rows of its frames never disagree.
    const int type = Layer3Fields::MessageType(frame_);
    messageType_ = type == kAbsent ? kNoMessage : type;
}

void CallMessage::FindElements() {
    // Which element goes where: the first of each, the last charging information.
    struct Wanted {
        int codeset;
        int identifier;
        int CallMessage::*position;
        bool last;
    };
    static constexpr Wanted kWanted[] = {
        {0, kCallingNumber, &CallMessage::calling_, false},
        {0, kChannelIdentification, &CallMessage::channel_, false},
        {0, kCause, &CallMessage::cause_, false},
        {6, kCharging, &CallMessage::charge_, true},
    };
    CodesetWalk::Walk(frame_, [this](int codeset, int identifier, int start) {
        for (const Wanted& w : kWanted)
            if (w.codeset == codeset && w.identifier == identifier && (w.last || this->*w.position == kAbsent))
                this->*w.position = start;
    });
}

bool CallMessage::IsClearing() const {
    return messageType_ == kDisconnect || messageType_ == kRelease || messageType_ == kReleaseComplete;
}

// The count of digits is the length octet less octet 3 (and 3a), as the
// list reads number elements.
std::string CallMessage::Digits(int element, bool mayHaveOctet3a) const {
    const ElementOctets octets(frame_, element);
    int first = element + 3;
    if (mayHaveOctet3a) {
        const int octet3 = octets.Octet(3);
        if (octet3 != kAbsent && !(octet3 & 0x80)) ++first;
    }
    std::string out;
    for (int p = first, octet; (octet = octets.At(p)) != kAbsent; ++p)
        PrintableOctet::Append(out, static_cast<uint8_t>(octet));
    return out;
}

std::string CallMessage::CallingDigits() const {
    return calling_ == kAbsent ? std::string() : Digits(calling_, true);
}

int CallMessage::Presentation() const {
    if (calling_ == kAbsent) return 0;
    const ElementOctets octets(frame_, calling_);
    const int octet3 = octets.Octet(3);
    if (octet3 == kAbsent || (octet3 & 0x80)) return 0;
    const int octet3a = octets.Octet(4);
    return octet3a == kAbsent ? 0 : (octet3a & 0x60) >> 5;
}

void CallMessage::AppendCalledDigits(std::string& out) const {
    CodesetWalk::Walk(frame_, [&](int codeset, int identifier, int start) {
        if (codeset == 0 && identifier == kCalledNumber) out += Digits(start, false);
    });
}

CallChannels CallMessage::Channels() const {
    return channel_ == kAbsent ? CallChannels() : CallChannels::Read(frame_, channel_);
}

bool CallMessage::Cause(int& value, int& location) const {
    if (cause_ == kAbsent) return false;
    const ElementOctets octets(frame_, cause_);
    const int octet3 = octets.Octet(3);
    if (octet3 == kAbsent) return false;
    // Octet 3a (the recommendation) stands between them when octet 3 has bit 8 clear.
    const int octet4 = octets.Octet(octet3 & 0x80 ? 4 : 5);
    if (octet4 == kAbsent) return false;
    value = octet4 & 0x7F;
    location = octet3 & 0x0F;
    return true;
}

bool CallMessage::Charge(std::string& chars) const {
    if (charge_ == kAbsent) return false;
    const ElementOctets octets(frame_, charge_);
    chars.clear();
    // Octet 3 is the kind of information; the characters follow it.
    for (int n = 4, octet; (octet = octets.Octet(n)) != kAbsent; ++n)
        PrintableOctet::Append(chars, static_cast<uint8_t>(octet));
    return true;
}
