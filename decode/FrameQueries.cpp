#include "decode/FrameQueries.h"

int FrameQueries::FindElement(const FrameLayout& frame, int identifier) {
    int type = frame.MessageTypeOffset();
    if (type == kAbsent) return kAbsent;
    int end = static_cast<int>(frame.BodyEnd());
    for (int p = type + 1; p < end;) {
        int octet = frame.BodyByte(p);
        if (octet == identifier) return p;
        if (octet & 0x80) {
            ++p;
            continue;
        }
        int length = frame.BodyByte(p + 1);
        if (length == kAbsent) return kAbsent;
        p += 2 + length;
    }
    return kAbsent;
}

int FrameQueries::ElementLength(const FrameLayout& frame, int element) {
    return element == kAbsent ? kAbsent : frame.BodyByte(element + 1);
}

int FrameQueries::ElementOctet(const FrameLayout& frame, int element, int n) {
    return element == kAbsent || n < 3 ? kAbsent : frame.BodyByte(element + n - 1);
}
