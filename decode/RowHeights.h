#pragma once
// Line counts of the frame list rows with running totals, kept in step
// with the frame store: rows are appended and dropped at the ends in one
// batch, and only new records have their row text built to count lines.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string_view>

#include "options/DisplayOptions.h"
#include "store/FrameStore.h"

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
    // Changes one row; the totals after it move.
    void Set(size_t position, int lines);

    // Brings the rows in step with the store; false when nothing changed.
    // Records kept from the last call are recognised by their INDEX.
    bool Sync(FrameStore& store, const DisplayOptions& options);
    // Forgets every row, so the next Sync counts them all again.
    void Invalidate() { Clear(); }

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
    int32_t firstIndex_ = -1;
    int32_t lastIndex_ = -1;
};
