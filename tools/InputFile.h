#pragma once
// The trace or log file a velkdump command reads, loaded into a store or
// handed over record by record; a failure is reported on standard error.
#include <string>

#include "files/TraceFile.h"
#include "store/FrameStore.h"

class InputFile {
public:
    // True when the whole file loaded.
    static bool Load(const std::string& path, FrameStore& store);

    // The open file, or -1 after the message.
    static int Open(const std::string& path);
    // The records of the open file one by one, with no store between them
    // (so no limit on their number); closes it. True when the file was read
    // whole or take stopped it.
    static bool Scan(int fd, const std::string& path, const TraceFile::Taker& take);
};
