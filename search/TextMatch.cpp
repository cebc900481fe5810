#include "search/TextMatch.h"

#include "base/Cp932.h"

size_t TextMatch::FindFirst(std::string_view rowText, std::string_view searchText) {
    if (searchText.empty()) return kNone;
    // The library's search finds candidates fast; a walk over the character
    // starts, never going back, tells those that begin on a second byte.
    size_t characterStart = 0;
    for (size_t from = 0;;) {
        const size_t at = rowText.find(searchText, from);
        if (at == std::string_view::npos) return kNone;
        while (characterStart < at)
            characterStart += Cp932::IsLeadByte(static_cast<unsigned char>(rowText[characterStart])) ? 2 : 1;
        if (characterStart == at) return at;
        from = at + 1;
    }
}

bool TextMatch::MatchText(std::string_view rowText, std::string_view searchText, bool wholeMatch) {
    const size_t at = FindFirst(rowText, searchText);
    if (at == kNone) return false;
    if (!wholeMatch) return true;
    const size_t after = at + searchText.size();
    return after < rowText.size() && rowText[after] == '\n';
}
