#include "decode/FrameQueries.h"

int FrameQueries::InfoOctet(const FrameRecord& record, int offset) {
    int info = record.InfoOffset();
    if (info == kAbsent || offset < 0) return kAbsent;
    return record.BodyByte(info + offset);
}

int FrameQueries::FindElement(const FrameRecord& record, int identifier) {
    int type = record.MessageTypeOffset();
    if (type == kAbsent) return kAbsent;
    int end = static_cast<int>(record.BodyEnd());
    for (int p = type + 1; p < end;) {
        int octet = record.BodyByte(p);
        if (octet == identifier) return p;
        if (octet & 0x80) {
            ++p;
            continue;
        }
        int length = record.BodyByte(p + 1);
        if (length == kAbsent) return kAbsent;
        p += 2 + length;
    }
    return kAbsent;
}

int FrameQueries::ElementLength(const FrameRecord& record, int element) {
    return element == kAbsent ? kAbsent : record.BodyByte(element + 1);
}

int FrameQueries::ElementOctet(const FrameRecord& record, int element, int n) {
    return element == kAbsent || n < 3 ? kAbsent : record.BodyByte(element + n - 1);
}
