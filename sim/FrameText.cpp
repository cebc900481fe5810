#include "sim/FrameText.h"

#include <cstdio>

void FrameText::AppendHex(std::string& out, const uint8_t* octets, size_t n) {
    static const char kHex[] = "0123456789ABCDEF";
    out.reserve(out.size() + 2 * n);
    for (size_t i = 0; i < n; ++i) {
        out.push_back(kHex[octets[i] >> 4]);
        out.push_back(kHex[octets[i] & 0x0F]);
    }
}

std::string FrameText::Bracketed(const TimeStamp& time) {
    std::string text;
    text.reserve(14);
    text.push_back('[');
    text.append(time.Format());
    text.push_back(']');
    return text;
}

void FrameText::AppendLine(std::string& out, uint8_t direction, const TimeStamp& time,
                           const std::vector<uint8_t>& octets) {
    out.append(direction == 1 ? "RX" : "TX");
    out.append(Bracketed(time));
    AppendHex(out, octets.data(), octets.size());
    out.push_back('\r');
}
