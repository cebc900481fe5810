#pragma once
// Where the list export gets the detail entries of one frame: the detail
// decoder's entries with their presentation marks, as the detail window
// would hold them. Kept abstract so the export does not depend on the
// decoder.
#include <cstdint>
#include <string>
#include <vector>

#include "options/DisplayOptions.h"
#include "store/FrameRecord.h"

class DetailSource {
public:
    virtual ~DetailSource() = default;
    // Replaces entries with the frame's detail entries built with options;
    // false when the detail could not be built (the export then leaves the
    // frame's entries out).
    virtual bool Build(const FrameRecord& record, const DisplayOptions& options,
                       std::vector<std::string>& entries) = 0;
    // The same entries appended to text, the end of each to ends; nothing
    // is appended when false.
    virtual bool Append(const FrameRecord& record, const DisplayOptions& options, std::string& text,
                        std::vector<uint32_t>& ends) {
        if (!Build(record, options, entries_)) return false;
        for (const std::string& entry : entries_) {
            text.append(entry);
            ends.push_back(static_cast<uint32_t>(text.size()));
        }
        return true;
    }

private:
    std::vector<std::string> entries_;
};
