#pragma once
// The octets of one information element of a frame: read no further than
// the element's length octet says, nor past the information field.
#include "store/FrameLayout.h"

class ElementOctets {
public:
    static constexpr int kAbsent = FrameLayout::kAbsent;

    // The element whose identifier stands at position element.
    ElementOctets(const FrameLayout& frame, int element) : frame_(frame), element_(element) {
        const int length = frame.BodyByte(element + 1);
        end_ = length == kAbsent ? element : element + 2 + length;
    }
    // Octet n as the element's layout counts them (3 = the one after the
    // length octet), or kAbsent.
    int Octet(int n) const { return At(element_ + n - 1); }
    // The octet at position p, or kAbsent outside the element.
    int At(int p) const { return p < end_ ? frame_.BodyByte(p) : kAbsent; }
    // Position just past the element's last octet (may lie past the frame).
    int End() const { return end_; }
    // The first position from p on whose octet has bit 8 (extension) set.
    int EndOfGroup(int p) const {
        for (int octet; (octet = At(p)) != kAbsent; ++p)
            if (octet & 0x80) return p;
        return kAbsent;
    }

private:
    const FrameLayout& frame_;
    int element_;
    int end_;
};
