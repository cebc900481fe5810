#pragma once
// The store positions a search walks, fixed when it starts. Grid row r
// shows position r - 1 (row 0 is the header).
#include <cstddef>
#include <cstdint>

class SearchRange {
public:
    // Forward: from (fromCursor ? currentRow - 1 : 0) up to the last
    // position; backward: from (fromCursor ? currentRow - 1 : the last
    // position) down to 0. A start past the store is moved onto its end.
    static SearchRange For(size_t count, int currentRow, bool forward, bool fromCursor);
    // Find next's one-row step: the row to select, or 0 when there is no
    // row that way (forward past the last, backward above row 1).
    static int StepRow(int currentRow, size_t count, bool forward);

    bool Empty() const { return forward_ ? first_ > last_ : first_ < last_; }
    int64_t First() const { return first_; }
    int64_t Last() const { return last_; }
    bool Forward() const { return forward_; }
    // Calls visit(position) in walking order until it returns false.
    template <typename Visit>
    void Walk(Visit&& visit) const {
        if (forward_) {
            for (int64_t p = first_; p <= last_; ++p)
                if (!visit(static_cast<size_t>(p))) return;
        } else {
            for (int64_t p = first_; p >= last_; --p)
                if (!visit(static_cast<size_t>(p))) return;
        }
    }

private:
    int64_t first_ = 0;
    int64_t last_ = -1;
    bool forward_ = true;
};
