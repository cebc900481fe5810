#include "decode/DetailItem.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

#include "base/Cp932.h"
#include "base/Hex.h"
#include "decode/PrintableOctet.h"

void DetailItem::Prefix(std::string_view tag, int offset, bool icons, bool decimalOffset) {
    // Every item has one: one append, then written in place (copied from
    // the stack, the copy would read back stores not yet done).
    char digits[16];
    size_t digitCount = 0;
    if (icons && offset != kNoOffset)
        digitCount = static_cast<size_t>((decimalOffset ? std::to_chars(digits, digits + sizeof digits, offset).ptr
                                                        : Hex::WriteNumber(digits, static_cast<unsigned>(offset))) -
                                         digits);
    const size_t at = text_.size();
    text_.append((icons ? tag.size() + digitCount + 2 : 0) + 3, '\t');
    char* w = text_.data() + at;
    if (icons) {
        *w++ = kTagOpen;
        w = std::copy(tag.begin(), tag.end(), w);
        for (size_t i = 0; i < digitCount; ++i) *w++ = digits[i];
        *w++ = kTagClose;
    }
    *w++ = Hex::Digit(octet_ >> 4);
    *w = Hex::Digit(octet_);  // and the TAB already there
}

void DetailItem::Bare() { Hex::AppendOctet(text_, octet_); }

DetailItem& DetailItem::Field(uint8_t mask, std::string_view label) {
    // LF TAB, the pattern, a TAB and the label in one append, written in
    // place: made on the stack and copied, the copy would read the pattern
    // back before its store is done.
    const size_t head = fields_++ == 0 ? 9 : 11;
    const size_t at = text_.size();
    text_.append(head + label.size(), '\t');
    char* w = text_.data() + at;
    if (head == 11) {
        *w = '\n';
        w += 2;
    }
    WritePattern(w, octet_, mask);
    std::copy(label.begin(), label.end(), w + 9);
    return *this;
}

DetailItem& DetailItem::AddNumber(long value) {
    text_.append(std::to_string(value));
    return *this;
}

DetailItem& DetailItem::AddQuotedChar() {
    text_.push_back('\'');
    AppendChar(text_, octet_);
    text_.push_back('\'');
    return *this;
}

namespace {

// Each bit of an octet as one byte (0 or 1), most significant first.
constexpr std::array<uint64_t, 256> MakeBitBytes() {
    std::array<uint64_t, 256> table{};
    for (unsigned v = 0; v < 256; ++v)
        for (unsigned bit = 0; bit < 8; ++bit)
            if (v & (0x80u >> bit)) table[v] |= uint64_t{1} << (8 * bit);
    return table;
}
constexpr std::array<uint64_t, 256> kBitBytes = MakeBitBytes();

}  // namespace

void DetailItem::WritePattern(char* out, uint8_t octet, uint8_t mask) {
    // Without branches (the bits are as good as random): "x" is 0x78, and
    // "0" or "1" is 0x78 - 0x48 + bit; no byte borrows from the next.
    const uint64_t m = kBitBytes[mask];
    const uint64_t pattern = 0x7878787878787878ull - m * 0x48 + (m & kBitBytes[octet]);
    for (int i = 0; i < 8; ++i) out[i] = static_cast<char>(pattern >> (8 * i));
}

void DetailItem::AppendPattern(std::string& out, uint8_t octet, uint8_t mask) {
    const size_t at = out.size();
    out.append(8, 'x');
    WritePattern(out.data() + at, octet, mask);
}

void DetailItem::AppendChar(std::string& out, uint8_t octet) { PrintableOctet::Append(out, octet); }
