#pragma once
// Whether a row text holds the search text: bytes compared exactly, a
// match never starting on the second byte of a double-byte character.
#include <cstddef>
#include <string_view>

class TextMatch {
public:
    static constexpr size_t kNone = std::string_view::npos;

    // Offset of the first occurrence on a character boundary, or kNone;
    // an empty searchText has none.
    static size_t FindFirst(std::string_view rowText, std::string_view searchText);
    // With wholeMatch only the first occurrence is looked at, and it counts
    // only when a line feed follows it.
    static bool MatchText(std::string_view rowText, std::string_view searchText, bool wholeMatch);
};
