#pragma once
// The records of a trace or log file read in chunks, one at a time, numbered
// as a load of the file numbers them (from its "INDEX=" header, else 0) and
// with the same leniency: text around records is skipped, a zero byte ends
// the file. Memory holds one chunk and the record that straddles it.
#include <cstdint>
#include <string>
#include <vector>

#include "files/ChunkedInput.h"
#include "store/FrameRecord.h"

class TraceStream {
public:
    explicit TraceStream(ChunkedInput& input);

    enum Result { kRecord, kEnd, kFailed };  // kFailed: the input's read failed
    Result Next(FrameRecord& record);

private:
    // Reads on; false once the input has ended.
    bool More();

    ChunkedInput& input_;
    size_t p_ = 1;  // where the next "X" is looked for in the input's data
    bool headerRead_ = false;
    bool ended_ = false;
    uint32_t nextIndex_ = 0;
    std::string recordText_;
    std::vector<uint8_t> frame_;
};
