#pragma once
// The text of one detail item: the octet's prefix (tag, octet, TAB), its bit
// patterns and its fields, with the presentation marks the detail window and
// the text export interpret.
#include <cstdint>
#include <string>
#include <string_view>

class DetailItem {
public:
    static constexpr char kTagOpen = 0x10;
    static constexpr char kTagClose = 0x11;
    static constexpr char kTitle = 0x12;
    static constexpr char kSeparator = 0x13;
    static constexpr int kNoOffset = -1;

    DetailItem(std::string& text, uint8_t octet) : text_(text), octet_(octet) {}

    uint8_t Octet() const { return octet_; }
    std::string& Text() { return text_; }

    // Tag with its offset (two or more upper-case hex digits, or decimal),
    // enclosed in the tag marks when icons are shown and dropped otherwise;
    // then the octet in hex and a TAB.
    void Prefix(std::string_view tag, int offset, bool icons, bool decimalOffset = false);
    // The octet in hex and nothing else.
    void Bare();
    void Pattern(uint8_t mask) { AppendPattern(text_, octet_, mask); }

    // Starts a field: LF TAB before every field but the first of the item,
    // then the bit pattern, TAB and the label. The value follows with Add.
    DetailItem& Field(uint8_t mask, std::string_view label);
    // The next field follows the previous one on the same display line.
    void SameLine() { fields_ = 0; }
    DetailItem& Add(std::string_view text) {
        text_.append(text);
        return *this;
    }
    DetailItem& AddNumber(long value);
    // The octet as one character between single quotes.
    DetailItem& AddQuotedChar();
    // A character field: all eight bits, the label, the octet quoted.
    void CharField(std::string_view label) { Field(0xFF, label).AddQuotedChar(); }

    // Eight characters, most significant bit first: "1"/"0" for the bits of
    // mask, "x" for the others.
    static void AppendPattern(std::string& out, uint8_t octet, uint8_t mask);
    static void WritePattern(char* out, uint8_t octet, uint8_t mask);
    // Printable ASCII as itself, CR LF TAB as \r \n \t, anything else as the
    // half-width middle dot, so no octet can break a line or a column.
    static void AppendChar(std::string& out, uint8_t octet);

private:
    std::string& text_;
    uint8_t octet_;
    int fields_ = 0;
};
