#pragma once
// Frame queries that only the decoders use, on top of the record's layout
// queries. Every one stays before the FCS and answers kAbsent otherwise.
#include "store/FrameRecord.h"

class FrameQueries {
public:
    static constexpr int kAbsent = FrameRecord::kAbsent;

    // Octet `offset` of the information field.
    static int InfoOctet(const FrameRecord& record, int offset);
    // Position of the first information element with this identifier (below
    // 0x80) after the message type, or kAbsent. Shift elements are not
    // interpreted; a length octet that is not in the frame ends the search.
    static int FindElement(const FrameRecord& record, int identifier);
    // The element's length octet and its octet n (3 = the first after the
    // length octet), or kAbsent.
    static int ElementLength(const FrameRecord& record, int element);
    static int ElementOctet(const FrameRecord& record, int element, int n);
};
