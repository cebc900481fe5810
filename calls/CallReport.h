#pragma once
// The report of one call, meant to go with a ticket to the carrier: one
// CP932 text, CR LF line ends. A head names the capture and the time the
// report was made; then the call's CSV fields as labelled lines ("名前: 値",
// a line break inside a value shown as a space); then its ladder, one line
// per message; then every frame of the call still stored, written as the
// display image export writes frames with their details, after a line
// saying how many of the call's frames are stored no more, when any are.
//
// The frames of a call are the stored frames with an INDEX from its first
// to its last whose call-control message has its key (TEI, call reference
// value, originating side): exactly the frames the tracker read into it,
// where the related search would also list other calls of the same call
// reference value and the frames after the call's end.
#include <cstdint>
#include <ctime>
#include <string>

#include "calls/CallRecord.h"
#include "calls/LadderCaptions.h"
#include "decode/MessageCatalogue.h"
#include "files/DetailSource.h"
#include "files/FdWriter.h"
#include "options/DisplayOptions.h"
#include "store/FrameStore.h"

class CallReport {
public:
    // Where the frames came from, as the program knows it (CP932).
    struct Origin {
        std::string file;      // the trace file they were loaded from or saved to; empty for a run
        int port = 0;          // a run: its COM port number
        std::string logFile;   // a run: the log file it writes, empty when none
        std::string runStart;  // a run: the time of its first frame (INDEX 0) while that is stored
    };

    // The origin of the store's frames: the file (CP932) when there is one,
    // else the run on port with what the store knows of it.
    static Origin OriginOf(std::string file, int port, const FrameStore& store);
    // The head, the labelled lines and the ladder, up to the frames.
    static std::string Head(const CallRecord& call, const Origin& origin, std::time_t made,
                            const LadderCaptions& captions, const MessageCatalogue& catalogue);
    // Copies the call's frames out of store into frames (emptied first), in
    // store order; the number of the call's frames not found there.
    static uint32_t CollectFrames(const CallRecord& call, const FrameStore& store, FrameStore& frames);
    // The head, then the frames section, into out, flushed; options as the
    // export's with details on whatever they say. False when a write failed.
    static bool Write(const std::string& head, const CallRecord& call, const FrameStore& store,
                      DisplayOptions options, const MessageCatalogue& catalogue, DetailSource& details,
                      FdWriter& out);
};
