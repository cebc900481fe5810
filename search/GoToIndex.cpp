#include "search/GoToIndex.h"

#include <cstdint>
#include <limits>

GoToIndex::Check GoToIndex::CheckText(std::string_view text) {
    if (text.empty()) return kEmpty;
    size_t i = 0;
    const bool negative = text[0] == '-';
    if (text[0] == '-' || text[0] == '+') ++i;
    if (i == text.size()) return kNotNumber;
    // A magnitude up to 2^31 fits either sign; the sign decides below.
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return kNotNumber;
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) return kNotNumber;
    }
    if (!negative && value > std::numeric_limits<int32_t>::max()) return kNotNumber;
    return negative && value != 0 ? kNegative : kAccepted;
}

uint32_t GoToIndex::TargetIndex(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i < text.size() && text[i] == '+') ++i;
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + static_cast<uint32_t>(text[i] - '0');
    return value;
}

int64_t GoToIndex::Find(const FrameStore& store, uint32_t index) {
    for (size_t p = 0; p < store.Count(); ++p)
        if (static_cast<uint32_t>(store.At(p).Index()) == index) return static_cast<int64_t>(p);
    return kNotFound;
}
