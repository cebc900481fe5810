#include "calls/LadderLayout.h"

#include <algorithm>

void LadderLayout::Build(const LadderModel& model, const Metrics& metrics) {
    metrics_ = metrics;
    const int line = metrics.lineHeight;
    boxWidth_ = metrics.captionWidth + kBoxPadding;
    const int span = std::max({kMinSpan, metrics.labelWidth + 2 * kBoxPadding, boxWidth_ + kBoxPadding});
    txX_ = kMargin + metrics.timeWidth + kBoxPadding + boxWidth_ / 2;
    rxX_ = txX_ + span;
    width_ = std::max(rxX_ + boxWidth_ / 2 + kMargin, metrics.legendWidth + 2 * kMargin);
    headHeight_ = kMargin + BoxHeight() + (metrics.legendWidth > 0 ? line + kMargin : 0) + kMargin;

    rows_.clear();
    rows_.reserve(model.Arrows().size());
    int top = 0;
    for (const LadderModel::Arrow& arrow : model.Arrows()) {
        // A cause line stands a little apart from the next row's name.
        const bool cause = !arrow.gap && !arrow.cause.empty();
        Row row;
        row.top = top;
        row.height = (cause ? 3 * line + kRowSpace / 2 : 2 * line) + kRowSpace;
        row.arrowY = top + line + line / 2;
        rows_.push_back(row);
        top += row.height;
    }
}

size_t LadderLayout::RowAtY(int y) const {
    if (y < 0 || y >= Height()) return kNoRow;
    const auto after = std::upper_bound(rows_.begin(), rows_.end(), y, [](int at, const Row& r) { return at < r.top; });
    return static_cast<size_t>(after - rows_.begin()) - 1;
}

LadderLayout::Span LadderLayout::RowsIn(int top, int bottom) const {
    auto below = [](const Row& r, int at) { return r.top + r.height <= at; };
    const auto first = std::lower_bound(rows_.begin(), rows_.end(), top, below);
    const auto end = std::lower_bound(first, rows_.end(), bottom, [](const Row& r, int at) { return r.top < at; });
    return {static_cast<size_t>(first - rows_.begin()), static_cast<size_t>(end - rows_.begin())};
}

std::vector<LadderLayout::Span> LadderLayout::Pages(int pageHeight) const {
    std::vector<Span> pages{{0, 0}};
    int used = 0;
    for (size_t r = 0; r < rows_.size(); ++r) {
        if (pages.back().end > pages.back().first && used + rows_[r].height > pageHeight) {
            pages.push_back({r, r});
            used = 0;
        }
        used += rows_[r].height;
        pages.back().end = r + 1;
    }
    return pages;
}
