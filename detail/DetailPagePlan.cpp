#include "detail/DetailPagePlan.h"

#include <cstdint>

std::vector<size_t> DetailPagePlan::PageStarts(const std::vector<int>& heights, int pageHeight) {
    std::vector<size_t> starts;
    // Starting "at the bottom" makes the first entry open page 1.
    int64_t y = pageHeight;
    for (size_t i = 0; i < heights.size(); ++i) {
        if (y + heights[i] >= pageHeight - kMargin) {
            starts.push_back(i);
            y = kMargin;
        }
        y += heights[i];
    }
    return starts;
}
