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

int RowHeights::LineCount(const FrameRecord& record, const DisplayOptions& options) {
    std::string text;
    RowText::BuildRowText(record, text, options, record.CheckCrc());
    return TextLines(text);
}

int RowHeights::TextLines(std::string_view text) {
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}
