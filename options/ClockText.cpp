#include "options/ClockText.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int TwoDigits(std::string_view text, size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); }

}  // namespace

bool ClockText::Parse(std::string_view text, TimeStamp& time) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') return false;
    for (size_t at : {0, 1, 3, 4, 6, 7})
        if (!IsDigit(text[at])) return false;
    return time.Set(TwoDigits(text, 0), TwoDigits(text, 3), TwoDigits(text, 6), 0);
}
