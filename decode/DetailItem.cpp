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
    Hex::AppendOctet(text_, octet_);
    text_.push_back('\t');
}

void DetailItem::Bare() { Hex::AppendOctet(text_, octet_); }

DetailItem& DetailItem::Field(uint8_t mask, std::string_view label) {
    if (fields_++ > 0) text_.append("\n\t");
    Pattern(mask);
    text_.push_back('\t');
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

void DetailItem::AppendPattern(std::string& out, uint8_t octet, uint8_t mask) {
    for (int bit = 7; bit >= 0; --bit) {
        uint8_t b = static_cast<uint8_t>(1u << bit);
        out.push_back(!(mask & b) ? 'x' : (octet & b) ? '1' : '0');
    }
}

void DetailItem::AppendChar(std::string& out, uint8_t octet) { PrintableOctet::Append(out, octet); }
