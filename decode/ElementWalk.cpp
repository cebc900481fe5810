#include "decode/ElementWalk.h"

#include <array>

#include "base/Cp932.h"

namespace {

struct KindRow {
    uint8_t identifier;
    ElementWalk::Kind kind;
    const char* tag;  // UTF-8
};

constexpr KindRow kKinds[] = {
    {0x01, ElementWalk::kCharging, "AC+"},
    {0x03, ElementWalk::kChannelVariant, "CI+"},
    {0x04, ElementWalk::kBearer, "BC+"},
    {0x08, ElementWalk::kCause, "CA+"},
    {0x10, ElementWalk::kCallIdentity, "CI+"},
    {0x14, ElementWalk::kCallState, "CS+"},
    {0x18, ElementWalk::kChannel, "CH+"},
    {0x1C, ElementWalk::kFacility, "FA+"},
    {0x1E, ElementWalk::kProgress, "PI+"},
    {0x2C, ElementWalk::kKeypad, "KF+"},
    {0x34, ElementWalk::kSignal, "SG+"},
    {0x38, ElementWalk::kFeatureActivation, "FA+"},
    {0x39, ElementWalk::kFeatureIndication, "FI+"},
    {0x44, ElementWalk::kPacketBinary, "PB+"},
    {0x45, ElementWalk::kPacketWindow, "PW+"},
    {0x46, ElementWalk::kPacketSize, "PS+"},
    {0x6C, ElementWalk::kCallingNumber, "発N"},
    {0x6D, ElementWalk::kCallingSubaddress, "発S"},
    {0x70, ElementWalk::kCalledNumber, "着N"},
    {0x71, ElementWalk::kCalledSubaddress, "着S"},
    {0x79, ElementWalk::kRestart, "RI+"},
    {0x7C, ElementWalk::kLowLayer, "LL+"},
    {0x7D, ElementWalk::kHighLayer, "HL+"},
    {0x7E, ElementWalk::kUserUser, "UU+"},
    {0x90, ElementWalk::kShift, "SHIFT"},
    {0xA1, ElementWalk::kSendingComplete, "SENDC"},
};

struct KindTables {
    std::array<ElementWalk::Kind, 256> byIdentifier{};
    std::array<std::string, ElementWalk::kKindCount> tags;
    KindTables() {
        byIdentifier.fill(ElementWalk::kNone);
        for (const KindRow& row : kKinds) {
            byIdentifier[row.identifier] = row.kind;
            tags[row.kind] = Cp932::FromUtf8(row.tag);
        }
    }
};

const KindTables& Tables() {
    static const KindTables tables;
    return tables;
}

}  // namespace

ElementWalk::ElementWalk(const FrameLayout& frame) : ElementWalk(frame, 0) {
    int type = frame.MessageTypeOffset();
    // Without a message type octet no position is an element octet.
    first_ = start_ = next_ = type == FrameLayout::kAbsent ? INT_MAX : type + 1;
}

void ElementWalk::Step() {
    start_ = next_;
    int identifier = frame_.BodyByte(start_);
    if (identifier == FrameLayout::kAbsent) {
        next_ = INT_MAX;
        return;
    }
    if (identifier & 0x80) {
        next_ = start_ + 1;
        return;
    }
    int length = frame_.BodyByte(start_ + 1);
    // A length octet past the information field: the element runs to its end.
    next_ = length == FrameLayout::kAbsent ? INT_MAX : start_ + 2 + length;
}

ElementWalk::Place ElementWalk::Locate(int position) {
    Place place;
    if (position < first_) return place;
    while (position >= next_) Step();
    place.start = start_;
    place.offset = position - start_;
    int identifier = frame_.BodyByte(start_);
    if (identifier == FrameLayout::kAbsent) return place;
    place.identifier = Normalise(static_cast<uint8_t>(identifier));
    place.kind = KindOf(place.identifier);
    return place;
}

ElementWalk::Place ElementWalk::LocateElement(const FrameLayout& frame, int position) {
    ElementWalk walk(frame);
    return walk.Locate(position);
}

uint8_t ElementWalk::Normalise(uint8_t identifier) {
    if (identifier < 0x80 || identifier == 0xA0 || identifier == 0xA1) return identifier;
    return identifier & 0xF0;
}

ElementWalk::Kind ElementWalk::KindOf(uint8_t normalised) {
    return Tables().byIdentifier[normalised];
}

const std::string& ElementWalk::Tag(Kind kind) {
    return Tables().tags[kind < kKindCount ? kind : kNone];
}
