#include "decode/ElementWalk.h"

ElementWalk::ElementWalk(const FrameLayout& frame) : ElementWalk(frame, 0) {
    const int type = frame.MessageTypeOffset();
    // Without a message type octet no position is an element octet.
    first_ = start_ = next_ = type == FrameLayout::kAbsent ? INT_MAX : type + 1;
}

void ElementWalk::Step() {
    start_ = next_;
    const int identifier = frame_.BodyByte(start_);
    if (identifier == FrameLayout::kAbsent) {
        next_ = INT_MAX;
        return;
    }
    if (identifier & 0x80) {
        next_ = start_ + 1;
        return;
    }
    const int length = frame_.BodyByte(start_ + 1);
    // A length octet past the information field: the element runs to its end.
    next_ = length == FrameLayout::kAbsent ? INT_MAX : start_ + 2 + length;
}

bool ElementWalk::Next(int& start) {
    if (next_ == INT_MAX || frame_.BodyByte(next_) == FrameLayout::kAbsent) return false;
    Step();
    start = start_;
    return true;
}

ElementWalk::Place ElementWalk::Locate(int position) {
    Place place;
    if (position < first_) return place;
    while (position >= next_) Step();
    place.start = start_;
    place.offset = position - start_;
    const int identifier = frame_.BodyByte(start_);
    if (identifier != FrameLayout::kAbsent) place.identifier = Normalise(static_cast<uint8_t>(identifier));
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
