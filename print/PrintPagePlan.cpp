#include "print/PrintPagePlan.h"

#include <new>
#include <string>

#include "decode/RowText.h"

bool PrintPagePlan::Reserve(size_t frames) {
    try {
        pages_.reserve(frames);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

void PrintPagePlan::Start(int pageHeight) {
    pages_.clear();
    pageHeight_ = pageHeight;
    y_ = kMargin;
}

bool PrintPagePlan::Add(size_t position, int32_t index, int height) {
    // A frame that does not fit opens the next page, unless the page has
    // nothing on it yet: then it would never be printed at all.
    const bool opens = pages_.empty() || (y_ > kMargin && y_ + height >= pageHeight_ - kMargin);
    if (opens) {
        pages_.push_back(Page{position, position, index, index});
        y_ = kMargin;
    }
    Page& page = pages_.back();
    page.end = position + 1;
    page.lastIndex = index;
    y_ += height;
    return opens;
}

const PrintPagePlan::Page* PrintPagePlan::PageAt(int page) const {
    if (page < 1 || page > PageCount()) return nullptr;
    return &pages_[static_cast<size_t>(page - 1)];
}

void PrintPagePlan::Count(const FrameStore& store, const DisplayOptions& options, int lineHeight, int pageHeight,
                          const std::function<void(int pages)>& afterFrame) {
    Start(pageHeight);
    std::string text;
    for (size_t p = 0; p < store.Count(); ++p) {
        const FrameRecord& record = store.At(p);
        text.clear();
        RowText::BuildRowText(record, text, options, record.CheckCrc());
        Add(p, record.Index(), FrameHeight(text, lineHeight));
        if (afterFrame) afterFrame(PageCount());
    }
}

int PrintPagePlan::PrintedLines(std::string_view rowText) {
    int lines = 0;
    size_t start = 0;
    while (start <= rowText.size()) {
        size_t end = rowText.find('\n', start);
        if (end == std::string_view::npos) end = rowText.size();
        if (end > start) ++lines;
        start = end + 1;
    }
    return lines;
}
