#pragma once
// The text form of records shared by trace files and log files:
// "TX[hh:mm:ss.mmm]" or "RX[...]" and the frame octets without the flags as
// upper-case hex, cut into lines of 80 characters ended by CR LF.
#include <cstdint>
#include <string>

#include "store/FrameRecord.h"

class TraceText {
public:
    static constexpr size_t kLineLength = 80;

    // INDEX as lists and files show it: "%06ld" below 100000, "%010ld" from then on.
    static std::string IndexText(int32_t index);
    // "INDEX=" + IndexText + CR LF.
    static std::string HeaderLine(int32_t index);
    // The record text in its 80-character lines, each ended by CR LF.
    static std::string RecordText(const FrameRecord& record);
    static void AppendRecordText(std::string& out, const FrameRecord& record);
};
