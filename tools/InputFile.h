#pragma once
// The trace or log file a velkdump command reads, loaded into a store; a
// failure is reported on standard error.
#include <string>

#include "store/FrameStore.h"

class InputFile {
public:
    // True when the whole file loaded.
    static bool Load(const std::string& path, FrameStore& store);
};
