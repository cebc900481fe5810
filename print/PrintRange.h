#pragma once
// The pages a print job covers and the INDEX range they hold, as the
// settings dialog shows them: "first～last" in the INDEX text form.
#include <string>

#include "print/PrintPagePlan.h"

class PrintRange {
public:
    // Pages first .. last of pageCount, each brought into 1 .. page count
    // (a first page of 0 counts as 1). Valid() is false when the first
    // page lies above the last one, or there are no pages.
    PrintRange(int first, int last, int pageCount);

    int First() const { return first_; }
    int Last() const { return last_; }
    bool Valid() const { return valid_; }

    // INDEX of the first frame of the first page "～" INDEX of the last
    // frame of the last page; empty unless Valid() for the plan's pages.
    std::string IndexText(const PrintPagePlan& plan) const;

private:
    int first_ = 1;
    int last_ = 1;
    bool valid_ = false;
};
