#pragma once
// The frame list's rows kept in step with the frame store: row heights for
// the grid, and the count of rows it shows. Only records new since the last
// sync have their row text built to count lines.
#include <cstddef>
#include <cstdint>

#include "decode/RowHeights.h"
#include "options/DisplayOptions.h"
#include "store/FrameStore.h"

class FrameListModel {
public:
    // Brings the rows in step with the store; false when nothing changed.
    // Records kept from the last call are recognised by their INDEX.
    bool Sync(const FrameStore& store, const DisplayOptions& options);
    // Forgets every row, so the next Sync counts them all again.
    void Invalidate();

    const RowHeights& Heights() const { return heights_; }
    // Grid rows: the header and one a record, at least one empty row.
    static int GridRows(size_t records) { return records == 0 ? 2 : static_cast<int>(records) + 1; }

private:
    RowHeights heights_;
    int32_t firstIndex_ = -1;
    int32_t lastIndex_ = -1;
};
