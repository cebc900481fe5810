#include "decode/ChannelList.h"

#include "base/Cp932.h"
#include "decode/FrameQueries.h"

namespace {

constexpr int kAbsent = FrameLayout::kAbsent;
constexpr int kChannelIdentification = 0x18;

// The first position from p on whose octet has bit 7 (extension) set.
int EndOfGroup(const FrameLayout& frame, int p) {
    for (int octet; (octet = frame.BodyByte(p)) != kAbsent; ++p)
        if (octet & 0x80) return p;
    return kAbsent;
}

void Join(std::string& out, const std::string& item) {
    if (!out.empty()) out.push_back(',');
    out.append(item);
}

// Low 7 bits of each octet up to the first with bit 7 set.
std::string Numbers(const FrameLayout& frame, int p) {
    std::string out;
    for (int octet; (octet = frame.BodyByte(p)) != kAbsent; ++p) {
        Join(out, std::to_string(octet & 0x7F));
        if (octet & 0x80) break;
    }
    return out;
}

// Three octets: channels 24..17, 16..9, 8..1, bit 0 the lowest of each.
std::string SlotMap(const FrameLayout& frame, int p) {
    std::string out;
    for (int i = 0; i < 3; ++i) {
        int octet = frame.BodyByte(p + i);
        if (octet == kAbsent) break;
        for (int b = 0; b < 8; ++b)
            if (octet & (1 << b)) Join(out, std::to_string((2 - i) * 8 + b + 1));
    }
    return out;
}

// One octet: bit b of 0..3 stands for the H0 channel of slots 6b+1 to 6b+6.
std::string H0Map(const FrameLayout& frame, int p) {
    int octet = frame.BodyByte(p);
    std::string out;
    if (octet == kAbsent) return out;
    for (int b = 0; b < 4; ++b)
        if (octet & (1 << b))
            Join(out, std::to_string(b * 6 + 1) + VELK_SJIS("～") + std::to_string(b * 6 + 6));
    return out;
}

}  // namespace

std::string ChannelList::Text(const FrameLayout& frame) {
    int element = FrameQueries::FindElement(frame, kChannelIdentification);
    if (element == kAbsent) return {};
    int p = element + 2;
    int octet3 = frame.BodyByte(p);
    // Primary-rate interface only (interface type bit).
    if (octet3 == kAbsent || !(octet3 & 0x20)) return {};
    p = EndOfGroup(frame, p);
    // With an interface identifier, octet 3.2 follows the octets 3.1.
    if (p != kAbsent && (octet3 & 0x40)) p = EndOfGroup(frame, p + 1);
    if (p == kAbsent) return {};
    int type = frame.BodyByte(p + 1);
    if (type == kAbsent) return {};
    int first = p + 2;
    int unit = type & 0x0F;
    if (unit != 3 && unit != 6 && unit != 8) return "UnKnown";
    if (!(type & 0x10)) return Numbers(frame, first);
    if (unit == 3) return SlotMap(frame, first);
    if (unit == 6) return H0Map(frame, first);
    return "1";
}

std::string ChannelList::Field(const FrameLayout& frame) {
    std::string list = Text(frame);
    return list.empty() ? list : "CH=" + list;
}
