#include "decode/DetailItem.h"

#include "base/Cp932.h"
#include "base/Hex.h"
#include "decode/PrintableOctet.h"

void DetailItem::Prefix(std::string_view tag, int offset, bool icons, bool decimalOffset) {
    if (icons) {
        text_.push_back(kTagOpen);
        text_.append(tag);
        if (offset != kNoOffset) {
            if (decimalOffset) text_.append(std::to_string(offset));
            else Hex::AppendNumber(text_, static_cast<unsigned>(offset));
        }
        text_.push_back(kTagClose);
    }
    const char octet[3] = {Hex::Digit(octet_ >> 4), Hex::Digit(octet_), '\t'};
    text_.append(octet, sizeof octet);
}

void DetailItem::Bare() { Hex::AppendOctet(text_, octet_); }

DetailItem& DetailItem::Field(uint8_t mask, std::string_view label) {
    // LF TAB, the pattern and a TAB in one piece.
    char head[11] = {'\n', '\t'};
    WritePattern(head + 2, octet_, mask);
    head[10] = '\t';
    const size_t skip = fields_++ > 0 ? 0 : 2;
    text_.append(head + skip, sizeof head - skip);
    text_.append(label);
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

void DetailItem::WritePattern(char* out, uint8_t octet, uint8_t mask) {
    for (int bit = 7; bit >= 0; --bit) {
        const unsigned b = 1u << bit;
        *out++ = !(mask & b) ? 'x' : (octet & b) ? '1' : '0';
    }
}

void DetailItem::AppendPattern(std::string& out, uint8_t octet, uint8_t mask) {
    char pattern[8];
    WritePattern(pattern, octet, mask);
    out.append(pattern, sizeof pattern);
}

void DetailItem::AppendChar(std::string& out, uint8_t octet) { PrintableOctet::Append(out, octet); }
