#pragma once
// The pages of the printed frame list. Frames go down a page from the top
// margin, each as high as its row text has non-empty lines, and a page is
// full once the next frame would reach the bottom margin. Every page holds
// at least one frame: a frame taller than the page area stands alone on its
// page (the printing clips it), so the plan always moves on.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "options/DisplayOptions.h"
#include "store/FrameStore.h"

class PrintPagePlan {
public:
    static constexpr int kMargin = 80;      // left, right, top and bottom, in printer units
    static constexpr int kHeaderTop = 10;

    struct Page {
        size_t first = 0;         // store positions first .. end - 1
        size_t end = 0;
        int32_t firstIndex = 0;   // INDEX of the first and last frame
        int32_t lastIndex = 0;
    };

    // Room for one page per frame, the worst case, so the count never
    // allocates; false when the memory is not there.
    bool Reserve(size_t frames);
    // Forgets the pages; frames then go on pages pageHeight units high.
    void Start(int pageHeight);
    // Places the frame at store position after the ones placed so far;
    // true when it opens a page.
    bool Add(size_t position, int32_t index, int height);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    // Page 1 .. PageCount(); nothing for another number.
    const Page* PageAt(int page) const;

    // Counts the pages of the whole store with rows of lineHeight units a
    // line; afterFrame runs after each frame with the pages so far.
    void Count(const FrameStore& store, const DisplayOptions& options, int lineHeight, int pageHeight,
               const std::function<void(int pages)>& afterFrame);

    // Printed lines of a row text: the non-empty pieces between line feeds.
    static int PrintedLines(std::string_view rowText);
    // Height of a row text on paper.
    static int FrameHeight(std::string_view rowText, int lineHeight) { return PrintedLines(rowText) * lineHeight; }

private:
    std::vector<Page> pages_;
    int pageHeight_ = 0;
    int64_t y_ = kMargin;
};
