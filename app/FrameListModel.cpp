#include "app/FrameListModel.h"

void FrameListModel::Invalidate() {
    heights_.Clear();
    firstIndex_ = lastIndex_ = -1;
}

bool FrameListModel::Sync(const FrameStore& store, const DisplayOptions& options) {
    const size_t count = store.Count();
    if (count == 0) {
        if (heights_.Size() == 0) return false;
        Invalidate();
        return true;
    }
    const int32_t front = store.At(0).Index();
    const int32_t back = store.At(count - 1).Index();
    const size_t rows = heights_.Size();
    if (rows != 0 && front == firstIndex_ && back == lastIndex_ && count == rows) return false;
    // Keep what is still there when the store only dropped at its front and
    // grew at its back.
    size_t keep = 0;
    if (rows != 0 && front >= firstIndex_) {
        const size_t dropped = static_cast<size_t>(front - firstIndex_);
        if (dropped <= rows) {
            const size_t kept = rows - dropped;
            if (kept == 0 || (kept <= count && store.At(kept - 1).Index() == lastIndex_)) {
                heights_.DropFront(dropped);
                keep = kept;
            }
        }
    }
    if (keep == 0) heights_.Clear();
    for (size_t p = keep; p < count; ++p) heights_.Append(RowHeights::LineCount(store.At(p), options));
    firstIndex_ = front;
    lastIndex_ = back;
    return true;
}
