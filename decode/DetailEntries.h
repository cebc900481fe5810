#pragma once
// The entries of the detail window of one frame, without the window: the
// detail items in octet order with their category titles, as the window,
// its printing, the text export and the searches read them.
#include <cstdint>
#include <string>
#include <vector>

#include "decode/DetailDecoder.h"
#include "decode/MessageCatalogue.h"
#include "options/DisplayOptions.h"
#include "store/FrameRecord.h"

class DetailEntries {
public:
    // Replaces entries with the detail of record under options, decoded by
    // the program's decoder (or by decoder); false when it could not be
    // built (entries are then empty).
    static bool Build(const FrameRecord& record, const DisplayOptions& options,
                      const MessageCatalogue& catalogue, std::vector<std::string>& entries);
    static bool Build(DetailDecoder& decoder, const FrameRecord& record,
                      const DisplayOptions& options, const MessageCatalogue& catalogue,
                      std::vector<std::string>& entries);
    // The same entries appended to text, the end of each to ends; on false
    // both are as they were.
    static bool Append(DetailDecoder& decoder, const FrameRecord& record, const DisplayOptions& options,
                       const MessageCatalogue& catalogue, std::string& text, std::vector<uint32_t>& ends);

    DetailEntries() = default;
    DetailEntries(const FrameRecord& record, const DisplayOptions& options,
                  const MessageCatalogue& catalogue) {
        built_ = Build(record, options, catalogue, entries_);
    }

    bool Built() const { return built_; }
    size_t EntryCount() const { return entries_.size(); }
    // "" past the last entry.
    const std::string& EntryText(size_t i) const;
    const std::vector<std::string>& Entries() const { return entries_; }

private:
    std::vector<std::string> entries_;
    bool built_ = false;
};
