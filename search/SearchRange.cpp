#include "search/SearchRange.h"

#include <algorithm>

SearchRange SearchRange::For(size_t count, int currentRow, bool forward, bool fromCursor) {
    SearchRange range;
    const int64_t lastPosition = static_cast<int64_t>(count) - 1;
    const int64_t cursor = std::max<int64_t>(currentRow - 1, 0);
    range.forward_ = forward;
    if (forward) {
        range.first_ = fromCursor ? cursor : 0;
        range.last_ = lastPosition;
    } else {
        range.first_ = fromCursor ? std::min(cursor, lastPosition) : lastPosition;
        range.last_ = 0;
        if (count == 0) range.first_ = -1;
    }
    return range;
}

int SearchRange::StepRow(int currentRow, size_t count, bool forward) {
    if (forward) return currentRow >= 1 && static_cast<size_t>(currentRow) < count ? currentRow + 1 : 0;
    return currentRow >= 2 && static_cast<size_t>(currentRow) <= count ? currentRow - 1 : 0;
}
