#pragma once
// Line counts of list rows with running totals: rows are appended and
// dropped at the ends in one batch, and a row's offset costs no more for
// row 30000 than for row 1.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string_view>

#include "options/DisplayOptions.h"
#include "store/FrameRecord.h"

class RowHeights {
public:
    size_t Size() const { return lines_.size(); }
    int Lines(size_t position) const { return position < lines_.size() ? lines_[position] : 1; }
    // Sum of the line counts of positions before position (rows past the
    // end count one line each).
    int64_t LinesBefore(size_t position) const;
    int64_t TotalLines() const { return LinesBefore(lines_.size()); }

    void Clear();
    void Append(int lines);
    void DropFront(size_t n);

    // Lines of the record's row text.
    static int LineCount(const FrameRecord& record, const DisplayOptions& options);
    // Lines of a row text: 1 + the number of line feeds.
    static int TextLines(std::string_view text);

private:
    std::deque<uint16_t> lines_;
    // before_[i]: lines of every row ever appended before row i; the
    // front's value is the offset that dropped rows leave.
    std::deque<int64_t> before_;
    int64_t end_ = 0;
};
