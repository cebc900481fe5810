#pragma once
// Shift-JIS (code page 932) text: every text the core shows, reads or writes
// is a std::string of CP932 bytes, so lengths and alignment count bytes.
#include <string>
#include <string_view>

class Cp932 {
public:
    // UTF-8 to CP932; a character CP932 cannot hold becomes "?".
    static std::string FromUtf8(std::string_view utf8);
    // The same; complete turns false when a character had no CP932 code.
    // Characters CP932 maps one way only (U+301C, U+2212, U+00A5 ...) count
    // as converted.
    static std::string FromUtf8(std::string_view utf8, bool& complete);
    // CP932 to UTF-8; an invalid byte becomes U+FFFD.
    static std::string ToUtf8(std::string_view cp932);
    // First byte of a two-byte character (0x81-0x9F, 0xE0-0xFC).
    static bool IsLeadByte(unsigned char c) {
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    }
};

// A UTF-8 source literal as CP932 bytes, converted once per call site.
#define VELK_SJIS(utf8)                                                     \
    ([]() -> const std::string& {                                           \
        static const std::string converted = Cp932::FromUtf8(utf8);       \
        return converted;                                                  \
    }())
