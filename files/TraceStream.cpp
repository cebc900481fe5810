#include "files/TraceStream.h"

#include "files/TraceScan.h"

TraceStream::TraceStream(ChunkedInput& input) : input_(input) { input_.EndAtZero(); }

bool TraceStream::More() {
    if (!ended_ && !input_.Ensure(input_.Data().size() + 1)) ended_ = true;
    return !ended_;
}

// Each decision waits until the data reaches past what it looks at, or the
// file ends: the records and their numbers are those of the whole text
// read at once.
TraceStream::Result TraceStream::Next(FrameRecord& record) {
    while (!headerRead_) {
        const std::string_view text = input_.Data(), header = "INDEX=";
        size_t stop = 0;
        bool undecided = text.size() < header.size() && text == header.substr(0, text.size());
        if (text.substr(0, header.size()) == header) {
            nextIndex_ = TraceScan::HeaderNumber(text, header.size(), stop);
            undecided = stop == text.size();
        }
        if (!undecided || !More()) headerRead_ = true;
    }
    for (;;) {
        if (input_.Failed()) return kFailed;
        const std::string_view text = input_.Data();
        const size_t p = text.find('X', p_);
        if (p == std::string_view::npos) {
            if (ended_) return kEnd;
            // Keep the last character: it may be the "T" or "R" before an "X".
            if (text.size() > 1) {
                input_.Consume(text.size() - 1);
                p_ = 1;
            }
            More();
            continue;
        }
        bool ran = !ended_ && p + 14 >= text.size();
        if (!ran && TraceScan::IsRecordStart(text, p)) {
            const bool collected = TraceScan::CollectRecord(text, p - 1, recordText_, ran);
            ran = ran && !ended_;
            if (!ran && collected &&
                TraceScan::MakeRecord(recordText_, static_cast<int32_t>(nextIndex_), frame_, record)) {
                ++nextIndex_;
                input_.Consume(p);
                p_ = 1;
                return kRecord;
            }
        }
        if (ran) {
            More();  // the same "X" again with more text behind it
            continue;
        }
        // Done with everything before this "X".
        input_.Consume(p);
        p_ = 1;
    }
}
