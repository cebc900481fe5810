#include "base/Hex.h"

char* Hex::WriteNumber(char* out, unsigned value) {
    char digits[8];
    int n = 0;
    do {
        digits[n++] = Digit(value);
        value >>= 4;
    } while (value != 0 && n < 8);
    if (n < 2) digits[n++] = '0';
    while (n > 0) *out++ = digits[--n];
    return out;
}

void Hex::AppendNumber(std::string& out, unsigned value) {
    char digits[8];
    out.append(digits, static_cast<size_t>(WriteNumber(digits, value) - digits));
}

void Hex::Decode(std::string_view text, std::vector<uint8_t>& octets) {
    auto nibble = [](char c) {
        const int v = Value(c);
        return v < 0 ? 0 : v;
    };
    const size_t start = octets.size();
    octets.resize(start + (text.size() + 1) / 2);
    uint8_t* out = octets.data() + start;
    size_t i = 0;
    for (; i + 1 < text.size(); i += 2) *out++ = static_cast<uint8_t>(nibble(text[i]) * 16 + nibble(text[i + 1]));
    if (i < text.size()) *out = static_cast<uint8_t>(nibble(text[i]));
}
