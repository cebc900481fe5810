#pragma once
// The text search over the frame store: each record's row text, built as
// the search goes with the given (widened) display options and the
// record's frame check result, tested with TextMatch.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "options/DisplayOptions.h"
#include "search/SearchRange.h"
#include "search/SearchRequest.h"
#include "store/FrameStore.h"

class FrameSearch {
public:
    static constexpr int64_t kNotFound = -1;
    // Runs after each record that does not match, with its INDEX; false
    // stops the search (cancelled).
    using AfterRecord = std::function<bool(int32_t index)>;

    static bool Matches(const FrameRecord& record, const DisplayOptions& options, const SearchRequest& request,
                        std::string& scratch);
    // The first matching position of the range in walking order, or kNotFound.
    static int64_t Find(const FrameStore& store, const DisplayOptions& options, const SearchRequest& request,
                        const SearchRange& range, const AfterRecord& afterRecord);
    // Every matching position of the range, in ascending order whichever
    // way the range walks.
    static std::deque<uint32_t> Collect(const FrameStore& store, const DisplayOptions& options,
                                        const SearchRequest& request, const SearchRange& range);
};
