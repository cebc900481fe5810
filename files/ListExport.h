#pragma once
// The text export of the frame list: every frame's row text as the list
// shows it (RX rows one TAB to the right), and with "text export includes
// detail" on, a "=" line before each frame and a "-" line and the frame's
// detail entries after its row.
#include <string>
#include <string_view>

#include "decode/MessageCatalogue.h"
#include "files/DetailSource.h"
#include "files/ExportChunks.h"
#include "files/FdWriter.h"
#include "options/DisplayOptions.h"
#include "store/FrameStore.h"

class ListExport {
public:
    // Writes the whole store, in store order, to the open file; every row
    // and detail uses the snapshot. The records' frame check results are
    // computed (and cached) on the way. False when a write failed (the
    // export stops there) or memory ran out; an empty store writes nothing.
    static bool ExportList(const FrameStore& store, const DisplayOptions& snapshot,
                           const MessageCatalogue& catalogue, DetailSource& details, int fd);
    // The same for a stream of records of any length, appended to out
    // chunk after chunk (what is left in its buffer is not flushed), with
    // the same detail source throughout.
    enum StreamResult { kWritten, kFeedFailed, kFailed };
    static StreamResult ExportStream(const ExportChunks::Feed& feed, const DisplayOptions& snapshot,
                                     const MessageCatalogue& catalogue, DetailSource& details, FdWriter& out);

    // Writes a row text as exported at out, which has room for
    // RowSize(row.size()) bytes: CR before every LF, for an RX row a TAB at
    // the start of every line, and a final CR LF. The end of the text.
    static constexpr size_t RowSize(size_t n) { return 3 * n + 3; }
    static char* WriteRow(char* out, std::string_view row, bool rx);

    // 79 "=" and 79 "-", each with CR LF.
    static std::string_view FrameLine();
    static std::string_view DetailLine();
};
