#pragma once
// Where the parts of a ladder stand, in the picture's units (pixels on the
// screen): the head with the two lifelines' captions (and the colours of
// the calls when there are several), then one row per arrow of the model,
// as high as its lines: the name over the arrow, the arrow itself beside
// the delta, and the cause under it when there is one. A gap row stands for
// the messages a call left out. The time column is left of the TX
// lifeline; the RX lifeline stands far enough right for the widest label.
// Rows are found by y (a click, the part in view) and split into pages
// without cutting one.
#include <cstddef>
#include <vector>

#include "calls/LadderModel.h"

class LadderLayout {
public:
    static constexpr size_t kNoRow = static_cast<size_t>(-1);
    static constexpr int kMargin = 8;
    static constexpr int kRowSpace = 6;   // between the lines of one row and the next
    static constexpr int kMinSpan = 240;  // between the lifelines
    static constexpr int kBoxPadding = 16;

    // Widths of texts as the window's font draws them.
    struct Metrics {
        int lineHeight = 14;
        int timeWidth = 0;     // the widest time (with its call number) or delta
        int labelWidth = 0;    // the widest name or cause
        int captionWidth = 0;  // the wider caption
        int legendWidth = 0;   // the colours of a multi-call ladder, 0 for one call
    };
    struct Row {
        int top = 0;  // from the top of the rows, below the head
        int height = 0;
        int arrowY = 0;
    };
    // Rows first .. end - 1.
    struct Span {
        size_t first = 0;
        size_t end = 0;
        bool operator==(const Span&) const = default;
    };

    // Row r is the model's arrow r.
    void Build(const LadderModel& model, const Metrics& metrics);

    size_t Rows() const { return rows_.size(); }
    const Row& RowAt(size_t row) const { return rows_[row]; }
    // The rows' height, without the head.
    int Height() const { return rows_.empty() ? 0 : rows_.back().top + rows_.back().height; }
    int Width() const { return width_; }
    int HeadHeight() const { return headHeight_; }
    int BoxWidth() const { return boxWidth_; }
    int BoxHeight() const { return metrics_.lineHeight + 8; }
    int TxX() const { return txX_; }
    int RxX() const { return rxX_; }
    const Metrics& Sizes() const { return metrics_; }

    // The row that holds y, or kNoRow.
    size_t RowAtY(int y) const;
    // The rows that reach into top .. bottom - 1.
    Span RowsIn(int top, int bottom) const;
    // Pages of rows at most pageHeight high; a row higher than that stands
    // alone on its page. No rows make one empty page.
    std::vector<Span> Pages(int pageHeight) const;

private:
    std::vector<Row> rows_;
    Metrics metrics_;
    int width_ = 0;
    int headHeight_ = 0;
    int boxWidth_ = 0;
    int txX_ = 0;
    int rxX_ = 0;
};
