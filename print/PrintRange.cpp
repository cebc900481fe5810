#include "print/PrintRange.h"

#include <algorithm>

#include "base/Cp932.h"
#include "store/TraceText.h"

PrintRange::PrintRange(int first, int last, int pageCount)
    : first_(std::clamp(first, 1, std::max(pageCount, 1))),
      last_(std::clamp(last, 1, std::max(pageCount, 1))),
      valid_(pageCount > 0 && first_ <= last_) {}

std::string PrintRange::IndexText(const PrintPagePlan& plan) const {
    if (!valid_ || last_ > plan.PageCount()) return {};
    // The last frame's own INDEX: the next page's first INDEX minus one
    // says the same only while the INDEX values run without gaps.
    return TraceText::IndexText(plan.PageAt(first_)->firstIndex) + VELK_SJIS("～") +
           TraceText::IndexText(plan.PageAt(last_)->lastIndex);
}
