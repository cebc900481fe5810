#include "print/CopyOrder.h"

#include <algorithm>

CopyOrder::CopyOrder(int first, int last, int copies, bool collate)
    : first_(first), pages_(std::max(last - first + 1, 0)), copies_(std::max(copies, 1)), collate_(collate) {}

int CopyOrder::PageAt(int64_t step) const {
    if (pages_ == 0) return first_;
    const int64_t offset = collate_ ? step % pages_ : step / copies_;
    return first_ + static_cast<int>(offset);
}
