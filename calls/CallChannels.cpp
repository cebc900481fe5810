#include "calls/CallChannels.h"

#include <algorithm>

#include "calls/ElementOctets.h"

namespace {

constexpr int kAbsent = FrameLayout::kAbsent;

// A channel type of octet 3.2: unit k covers channels (k-1)*width+1 to
// k*width; its map has `octets` octets of `bits` bits, the first octet for
// the highest units and bit 0 the lowest unit of its octet.
struct Unit {
    int type;
    int width;
    int octets;
    int bits;
};
constexpr Unit kUnits[] = {
    {3, 1, 3, 8},   // B channels
    {6, 6, 1, 4},   // H0: 384 kbit/s, six slots
    {8, 24, 0, 0},  // H11: the whole 1536 kbit/s, one unit with no map
};

}  // namespace

// Channels are numbered from 1: a unit 0 names none.
void CallChannels::Add(int first, int last) {
    for (int c = std::max(first, 1); c <= last && c < kLimit; ++c) set_.set(c);
}

CallChannels CallChannels::Read(const FrameLayout& frame, int element) {
    CallChannels channels;
    const ElementOctets octets(frame, element);
    const int octet3 = octets.Octet(3);
    // Primary-rate interface only (interface type bit).
    if (octet3 == kAbsent || !(octet3 & 0x20)) return channels;
    int p = octets.EndOfGroup(element + 2);
    // With an interface identifier, octet 3.2 follows the octets 3.1.
    if (p != kAbsent && (octet3 & 0x40)) p = octets.EndOfGroup(p + 1);
    const int type = p == kAbsent ? kAbsent : octets.At(p + 1);
    if (type == kAbsent) return channels;
    const Unit* unit = std::find_if(std::begin(kUnits), std::end(kUnits),
                                    [&](const Unit& u) { return u.type == (type & 0x0F); });
    if (unit == std::end(kUnits)) return channels;
    auto addUnit = [&](int k) { channels.Add((k - 1) * unit->width + 1, k * unit->width); };
    const int first = p + 2;
    if (!(type & 0x10)) {
        // Numbers: the low 7 bits of each octet up to the first with bit 8 set.
        for (int q = first, octet; (octet = octets.At(q)) != kAbsent; ++q) {
            addUnit(octet & 0x7F);
            if (octet & 0x80) break;
        }
    } else if (unit->octets == 0) {
        addUnit(1);
    } else {
        for (int i = 0, octet; i < unit->octets && (octet = octets.At(first + i)) != kAbsent; ++i)
            for (int b = 0; b < unit->bits; ++b)
                if (octet & (1 << b)) addUnit((unit->octets - 1 - i) * unit->bits + b + 1);
    }
    return channels;
}

std::string CallChannels::Text() const {
    std::string out;
    for (int c = 0; c < kLimit; ++c) {
        if (!set_.test(c)) continue;
        if (!out.empty()) out.push_back('+');
        out += std::to_string(c);
    }
    return out;
}
