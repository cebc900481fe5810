#pragma once
// The pieces of reading records out of trace and log file text, shared by
// the whole-text load and the chunked reader. Each reads only inside the
// text it is given and tells when the text ended before it could decide,
// so a reader with more to come can fetch it and ask again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/FrameRecord.h"

class TraceScan {
public:
    // The number after "INDEX=" at pos, read as scanf's "%u" does on the
    // 32-bit platform the format comes from: blanks skipped, an optional
    // sign, a value too large for 32 bits saturates. `stop` is where the
    // reading stopped (text.size() when it ran to the end).
    static uint32_t HeaderNumber(std::string_view text, size_t pos, size_t& stop);

    // Whether the "X" at p (p >= 1) starts "TX[hh:mm:ss.mmm]" or "RX[...";
    // false also when the text ends first (p + 14 >= text.size()).
    static bool IsRecordStart(std::string_view text, size_t p);

    // The record text that starts at `start`, without the line breaks of its
    // 80-character lines; false as soon as it cannot be a record. `ran` is
    // true when the text ended before the record did, so more text could
    // change the result.
    static bool CollectRecord(std::string_view text, size_t start, std::string& out, bool& ran);

    // The record of a collected record text, or false when its length or
    // time stamp is wrong. frame is scratch space.
    static bool MakeRecord(const std::string& recordText, int32_t index, std::vector<uint8_t>& frame,
                           FrameRecord& record);
};
