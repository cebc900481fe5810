#include "base/Hex.h"

void Hex::AppendNumber(std::string& out, unsigned value) {
    char digits[8];
    int n = 0;
    do {
        digits[n++] = Digit(value);
        value >>= 4;
    } while (value != 0 && n < 8);
    if (n < 2) digits[n++] = '0';
    while (n > 0) out.push_back(digits[--n]);
}

void Hex::Decode(std::string_view text, std::vector<uint8_t>& octets) {
    auto nibble = [](char c) {
        const int v = Value(c);
        return v < 0 ? 0 : v;
    };
    octets.reserve(octets.size() + (text.size() + 1) / 2);
    for (size_t i = 0; i < text.size(); i += 2) {
        if (i + 1 < text.size())
            octets.push_back(static_cast<uint8_t>(nibble(text[i]) * 16 + nibble(text[i + 1])));
        else
            octets.push_back(static_cast<uint8_t>(nibble(text[i])));
    }
}
