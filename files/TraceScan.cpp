#include "files/TraceScan.h"

#include "base/Hex.h"
#include "store/TimeStamp.h"
#include "store/TraceText.h"

uint32_t TraceScan::HeaderNumber(std::string_view text, size_t pos, size_t& stop) {
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r')))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    uint64_t value = 0;
    bool saturated = false;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + static_cast<uint64_t>(text[pos] - '0');
        if (value > UINT32_MAX) saturated = true;
        if (saturated) value = UINT32_MAX;
    }
    stop = pos;
    if (saturated) return UINT32_MAX;
    uint32_t v = static_cast<uint32_t>(value);
    return negative ? 0u - v : v;
}

bool TraceScan::IsRecordStart(std::string_view text, size_t p) {
    auto at = [&](size_t i, char c) { return i < text.size() && text[i] == c; };
    return at(p, 'X') && at(p + 1, '[') && (text[p - 1] == 'T' || text[p - 1] == 'R') &&
           at(p + 4, ':') && at(p + 7, ':') && at(p + 10, '.') && at(p + 14, ']');
}

// Stops early at the first character that makes the text unacceptable
// anyway (not upper-case hex after the time stamp), so no input makes the
// scan quadratic.
bool TraceScan::CollectRecord(std::string_view text, size_t start, std::string& out, bool& ran) {
    constexpr size_t kHexStart = 16;
    out.clear();
    ran = false;
    size_t lineCount = 0;
    for (size_t q = start; q < text.size(); ++q) {
        // A run of the line's characters in one piece: what is left of the
        // time stamp part, then upper-case digits up to the line break.
        const size_t run = q;
        const size_t head = out.size() < kHexStart ? kHexStart - out.size() : 0;
        while (q < text.size() && q - run < head && text[q] != '\r' && text[q] != '\n') ++q;
        if (q - run == head) {
            while (q < text.size() && Hex::IsUpperDigit(text[q])) ++q;
            if (q < text.size() && text[q] != '\r' && text[q] != '\n') return false;
        }
        out.append(text.substr(run, q - run));
        lineCount += q - run;
        if (q == text.size()) break;
        if (text[q] == '\r') {
            if (lineCount % TraceText::kLineLength != 0) return true;
        } else if (q + 1 >= text.size() || Hex::Value(text[q + 1]) < 0) {
            ran = q + 1 >= text.size();
            return true;
        }
        lineCount = 0;
    }
    ran = true;
    return true;
}

// Even length, hex after the time stamp (checked while collecting) and a
// time stamp that reads correctly.
bool TraceScan::MakeRecord(const std::string& recordText, int32_t index, std::vector<uint8_t>& frame,
                           FrameRecord& record) {
    TimeStamp time;
    if (recordText.size() % 2 != 0 || recordText.size() < 16 || recordText[8] != ':' ||
        !time.Parse(std::string_view(recordText).substr(2, 14)))
        return false;
    record = FrameRecord(recordText[0] == 'R' ? FrameRecord::kRx : FrameRecord::kTx);
    record.SetTime(time);
    record.SetIndex(index);
    frame.assign(1, 0x7E);
    Hex::Decode(std::string_view(recordText).substr(16), frame);
    frame.push_back(0x7E);
    record.SetBytes(frame.data(), frame.size());
    return true;
}
