#include "sim/FrameText.h"

#include "base/Hex.h"

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
    Hex::Append(out, octets.data(), octets.size());
    out.push_back('\r');
}
