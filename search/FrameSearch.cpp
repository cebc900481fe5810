#include "search/FrameSearch.h"

#include "decode/RowText.h"
#include "search/TextMatch.h"

bool FrameSearch::Matches(const FrameRecord& record, const DisplayOptions& options, const SearchRequest& request,
                          std::string& scratch) {
    if (!request.textUsable || request.text.empty()) return false;
    scratch.clear();
    RowText::BuildRowText(record, scratch, options, record.CheckCrc());
    return TextMatch::MatchText(scratch, request.text, request.wholeMatch);
}

int64_t FrameSearch::Find(const FrameStore& store, const DisplayOptions& options, const SearchRequest& request,
                          const SearchRange& range, const AfterRecord& afterRecord) {
    int64_t found = kNotFound;
    std::string text;
    range.Walk([&](size_t position) {
        // Events handled between records may have shrunk the store.
        if (position >= store.Count()) return false;
        const FrameRecord& record = store.At(position);
        if (Matches(record, options, request, text)) {
            found = static_cast<int64_t>(position);
            return false;
        }
        return !afterRecord || afterRecord(record.Index());
    });
    return found;
}

std::deque<uint32_t> FrameSearch::Collect(const FrameStore& store, const DisplayOptions& options,
                                          const SearchRequest& request, const SearchRange& range) {
    std::deque<uint32_t> positions;
    std::string text;
    range.Walk([&](size_t position) {
        if (position < store.Count() && Matches(store.At(position), options, request, text)) {
            if (range.Forward()) positions.push_back(static_cast<uint32_t>(position));
            else positions.push_front(static_cast<uint32_t>(position));
        }
        return true;
    });
    return positions;
}
