#include "decode/RowHeights.h"

#include <algorithm>
#include <string>

#include "decode/RowText.h"

int64_t RowHeights::LinesBefore(size_t position) const {
    if (lines_.empty()) return static_cast<int64_t>(position);
    const int64_t base = before_.front();
    if (position < lines_.size()) return before_[position] - base;
    return end_ - base + static_cast<int64_t>(position - lines_.size());
}

void RowHeights::Clear() {
    lines_.clear();
    before_.clear();
    end_ = 0;
    firstIndex_ = lastIndex_ = -1;
}

void RowHeights::Append(int lines) {
    lines = std::clamp(lines, 1, 0xFFFF);
    before_.push_back(end_);
    lines_.push_back(static_cast<uint16_t>(lines));
    end_ += lines;
}

void RowHeights::DropFront(size_t n) {
    n = std::min(n, lines_.size());
    lines_.erase(lines_.begin(), lines_.begin() + static_cast<ptrdiff_t>(n));
    before_.erase(before_.begin(), before_.begin() + static_cast<ptrdiff_t>(n));
}

void RowHeights::Set(size_t position, int lines) {
    if (position >= lines_.size()) return;
    lines = std::clamp(lines, 1, 0xFFFF);
    const int64_t delta = lines - lines_[position];
    if (delta == 0) return;
    lines_[position] = static_cast<uint16_t>(lines);
    for (size_t i = position + 1; i < before_.size(); ++i) before_[i] += delta;
    end_ += delta;
}

int RowHeights::LineCount(const FrameRecord& record, const DisplayOptions& options) {
    std::string text;
    RowText::BuildRowText(record, text, options, record.CheckCrc());
    return TextLines(text);
}

int RowHeights::TextLines(std::string_view text) {
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

bool RowHeights::Sync(FrameStore& store, const DisplayOptions& options) {
    const size_t count = store.Count();
    if (count == 0) {
        if (lines_.empty()) return false;
        Clear();
        return true;
    }
    const int32_t front = store.At(0).Index();
    const int32_t back = store.At(count - 1).Index();
    if (!lines_.empty() && front == firstIndex_ && back == lastIndex_ && count == lines_.size())
        return false;
    // Keep what is still there when the store only dropped at its front and
    // grew at its back.
    size_t keep = 0;
    if (!lines_.empty() && front >= firstIndex_) {
        const size_t dropped = static_cast<size_t>(front - firstIndex_);
        if (dropped <= lines_.size()) {
            const size_t kept = lines_.size() - dropped;
            if (kept == 0 || (kept <= count && store.At(kept - 1).Index() == lastIndex_)) {
                DropFront(dropped);
                keep = kept;
            }
        }
    }
    if (keep == 0) Clear();
    for (size_t p = keep; p < count; ++p) Append(LineCount(store.At(p), options));
    firstIndex_ = front;
    lastIndex_ = back;
    return true;
}
