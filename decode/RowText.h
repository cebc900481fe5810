#pragma once
// The text of one frame list row: the items of the display options' column
// order, separated by one blank, with line breaks where the order has them.
// The text export and the searches use the same text.
#include <string>

#include "decode/MessageCatalogue.h"
#include "options/DisplayOptions.h"
#include "store/FrameLayout.h"

class RowText {
public:
    enum Column : int32_t {
        kCommandResponse = 0,
        kCrc = 1,
        kIndex = 2,
        kSapi = 3,
        kTei = 4,
        kCommand = 5,
        kTime = 6,
        kChannel = 7,
        kData = 8,
        kLayer3Message = 9,
        kCallReference = 10,
        kCallingNumber = 11,
        kCalledNumber = 12,
        kLineBreak = 13,
    };

    // Appends the row's text to text; fcsGood is the record's frame check
    // result. The first overload uses the program's catalogue.
    static void BuildRowText(const FrameRecord& record, std::string& text,
                             const DisplayOptions& options, bool fcsGood);
    static void BuildRowText(const FrameRecord& record, std::string& text,
                             const DisplayOptions& options, bool fcsGood,
                             const MessageCatalogue& catalogue);
};
