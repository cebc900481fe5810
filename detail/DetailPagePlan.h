#pragma once
// The pages of a printed detail: entries go down a page from the top margin
// and a page is full once the next entry would reach the bottom margin. An
// entry taller than a page's area gets a page of its own and runs past it.
#include <cstddef>
#include <vector>

class DetailPagePlan {
public:
    static constexpr int kMargin = 150;  // left, top and bottom, in printer units

    // The entries (by position) that open a page, the first one first; none
    // without entries. Heights and pageHeight are in the same units.
    static std::vector<size_t> PageStarts(const std::vector<int>& heights, int pageHeight);
};
