#pragma once
// Where the list export gets the detail entries of one frame: the detail
// decoder's entries with their presentation marks, as the detail window
// would hold them. Kept abstract so the export does not depend on the
// decoder.
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
};
