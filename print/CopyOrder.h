#pragma once
// The order in which a job prints its pages: with collation every copy
// runs through the range (1, 2, 3, 1, 2, 3), without it each page is
// printed as often as there are copies (1, 1, 2, 2, 3, 3).
#include <cstdint>

class CopyOrder {
public:
    // Pages first .. last (first <= last), copies of at least 1.
    CopyOrder(int first, int last, int copies, bool collate);

    // Pages to print in all.
    int64_t Steps() const { return static_cast<int64_t>(pages_) * copies_; }
    // The page printed at step 0 .. Steps() - 1.
    int PageAt(int64_t step) const;

private:
    int first_;
    int pages_;
    int copies_;
    bool collate_;
};
