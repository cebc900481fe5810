#pragma once
// Hexadecimal text of octets, as the device sends frames, trace and log files
// store them and the views show them: upper-case digits written, either case
// read.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class Hex {
public:
    static char Digit(unsigned nibble) { return "0123456789ABCDEF"[nibble & 0x0F]; }
    // 0..15, or -1 for a character that is not a hex digit.
    static int Value(char c) { return kValues[static_cast<unsigned char>(c)]; }
    static bool IsUpperDigit(char c) { return kUpper[static_cast<unsigned char>(c)]; }

    // Two digits.
    static void AppendOctet(std::string& out, uint8_t octet) {
        out.push_back(Digit(octet >> 4));
        out.push_back(Digit(octet));
    }
    static void Append(std::string& out, const uint8_t* octets, size_t n) {
        out.reserve(out.size() + 2 * n);
        for (size_t i = 0; i < n; ++i) AppendOctet(out, octets[i]);
    }
    // At least two digits, more when the value needs them.
    static void AppendNumber(std::string& out, unsigned value);
    // The same written at out (room for 8); the end of the digits.
    static char* WriteNumber(char* out, unsigned value);

    // Octets from pairs of digits. A character that is not a digit counts as
    // 0 so that every octet keeps its position; a lone last digit is an octet
    // of its own value.
    static void Decode(std::string_view text, std::vector<uint8_t>& octets);

private:
    static constexpr std::array<int8_t, 256> MakeValues() {
        std::array<int8_t, 256> v{};
        for (int c = 0; c < 256; ++c)
            v[c] = c >= '0' && c <= '9'   ? static_cast<int8_t>(c - '0')
                   : c >= 'A' && c <= 'F' ? static_cast<int8_t>(c - 'A' + 10)
                   : c >= 'a' && c <= 'f' ? static_cast<int8_t>(c - 'a' + 10)
                                          : int8_t{-1};
        return v;
    }
    static constexpr std::array<bool, 256> MakeUpper() {
        std::array<bool, 256> v{};
        for (int c = 0; c < 256; ++c) v[c] = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
        return v;
    }
    static const std::array<int8_t, 256> kValues;
    // Table lookups: digits and letters alternate at random in frame text.
    static const std::array<bool, 256> kUpper;
};

inline constexpr std::array<int8_t, 256> Hex::kValues = Hex::MakeValues();
inline constexpr std::array<bool, 256> Hex::kUpper = Hex::MakeUpper();
