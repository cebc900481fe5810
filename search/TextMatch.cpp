#include "search/TextMatch.h"

#include "base/Cp932.h"

size_t TextMatch::FindFirst(std::string_view rowText, std::string_view searchText) {
    if (searchText.empty() || searchText.size() > rowText.size()) return kNone;
    const size_t lastStart = rowText.size() - searchText.size();
    size_t i = 0;
    while (i <= lastStart) {
        if (rowText.compare(i, searchText.size(), searchText) == 0) return i;
        i += Cp932::IsLeadByte(static_cast<unsigned char>(rowText[i])) ? 2 : 1;
    }
    return kNone;
}

bool TextMatch::MatchText(std::string_view rowText, std::string_view searchText, bool wholeMatch) {
    const size_t at = FindFirst(rowText, searchText);
    if (at == kNone) return false;
    if (!wholeMatch) return true;
    const size_t after = at + searchText.size();
    return after < rowText.size() && rowText[after] == '\n';
}
