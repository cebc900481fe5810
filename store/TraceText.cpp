#include "store/TraceText.h"

#include <cstdio>

#include "base/Hex.h"

std::string TraceText::IndexText(int32_t index) {
    if (index >= 0 && index < 100000) {
        char digits[6];
        for (int i = 5; i >= 0; --i, index /= 10) digits[i] = static_cast<char>('0' + index % 10);
        return std::string(digits, sizeof digits);
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, index < 100000 ? "%06ld" : "%010ld", static_cast<long>(index));
    return buf;
}

std::string TraceText::HeaderLine(int32_t index) {
    return "INDEX=" + IndexText(index) + "\r\n";
}

std::string TraceText::RecordText(const FrameRecord& record) {
    std::string out;
    AppendRecordText(out, record);
    return out;
}

void TraceText::AppendRecordText(std::string& out, const FrameRecord& record) {
    char head[40];
    int headLength = std::snprintf(head, sizeof head, "%cX[%s]", record.IsRx() ? 'R' : 'T',
                                   record.Time().Format().c_str());
    // The octets between the flags: positions 1 .. length-2.
    uint32_t n = record.Length();
    uint32_t octets = n >= 2 ? n - 2 : 0;
    size_t total = static_cast<size_t>(headLength) + 2 * static_cast<size_t>(octets);
    out.reserve(out.size() + total + 2 * (total / kLineLength + 1));

    size_t column = 0;
    auto put = [&](char c) {
        out.push_back(c);
        if (++column == kLineLength) {
            out.append("\r\n");
            column = 0;
        }
    };
    for (int i = 0; i < headLength; ++i) put(head[i]);
    const uint8_t* bytes = record.Bytes();
    for (uint32_t i = 1; i <= octets; ++i) {
        put(Hex::Digit(bytes[i] >> 4));
        put(Hex::Digit(bytes[i]));
    }
    if (column != 0) out.append("\r\n");
}
