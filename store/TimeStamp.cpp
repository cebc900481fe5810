#include "store/TimeStamp.h"

#include <cctype>
#include <cstdio>

namespace {

// Reads a decimal number of at most `width` characters at text[pos], the way
// scanf's "%<width>d" does: leading blanks are skipped and not counted, a
// sign counts as a character. False when no digit is read.
bool ReadDecimal(std::string_view text, size_t pos, int width, int& value) {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    bool negative = false;
    int used = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
        ++used;
    }
    int result = 0;
    int digits = 0;
    while (used < width && pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        result = result * 10 + (text[pos] - '0');
        ++pos;
        ++used;
        ++digits;
    }
    if (digits == 0) return false;
    value = negative ? -result : result;
    return true;
}

char Digit(int value) { return static_cast<char>('0' + value); }

}  // namespace

bool TimeStamp::Set(int hours, int minutes, int seconds, int milliseconds) {
    if (hours < 0 || minutes < 0 || minutes >= 60 || seconds < 0 || seconds >= 60 ||
        milliseconds < 0 || milliseconds >= 1000)
        return false;
    hours_ = static_cast<uint8_t>(hours);
    minutes_ = static_cast<uint8_t>(minutes);
    seconds_ = static_cast<uint8_t>(seconds);
    milliseconds_ = static_cast<uint16_t>(milliseconds);
    return true;
}

bool TimeStamp::Parse(std::string_view text) {
    // Positions 6 and 9 (the second colon and the point) are not examined.
    if (text.size() < 14 || text[0] != '[' || text[3] != ':' || text[13] != ']') return false;
    int h, m, s, ms;
    if (!ReadDecimal(text, 1, 2, h) || !ReadDecimal(text, 4, 2, m) ||
        !ReadDecimal(text, 7, 2, s) || !ReadDecimal(text, 10, 3, ms))
        return false;
    return Set(h, m, s, ms);
}

std::string TimeStamp::Format() const {
    if (hours_ >= 100) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d", hours_, minutes_, seconds_, milliseconds_);
        return buf;
    }
    // Set keeps the other fields in range: the digits are fixed in number.
    const char text[12] = {Digit(hours_ / 10), Digit(hours_ % 10), ':', Digit(minutes_ / 10),
                           Digit(minutes_ % 10), ':', Digit(seconds_ / 10), Digit(seconds_ % 10), '.',
                           Digit(milliseconds_ / 100), Digit(milliseconds_ / 10 % 10), Digit(milliseconds_ % 10)};
    return std::string(text, sizeof text);
}

std::string TimeStamp::FormatClock() const {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", hours_, minutes_, seconds_);
    return buf;
}
