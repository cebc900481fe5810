#include "decode/DetailEntries.h"

#include <new>

bool DetailEntries::Build(const FrameRecord& record, const DisplayOptions& options,
                          const MessageCatalogue& catalogue, std::vector<std::string>& entries) {
    return Build(DetailDecoder::Program(), record, options, catalogue, entries);
}

bool DetailEntries::Build(DetailDecoder& decoder, const FrameRecord& record,
                          const DisplayOptions& options, const MessageCatalogue& catalogue,
                          std::vector<std::string>& entries) {
    try {
        decoder.Build(record, options, catalogue, entries);
    } catch (const std::bad_alloc&) {
        entries.clear();
        return false;
    }
    return true;
}

bool DetailEntries::Append(DetailDecoder& decoder, const FrameRecord& record, const DisplayOptions& options,
                           const MessageCatalogue& catalogue, std::string& text, std::vector<uint32_t>& ends) {
    const size_t textSize = text.size(), endCount = ends.size();
    try {
        decoder.Append(record, options, catalogue, text, ends);
    } catch (const std::bad_alloc&) {
        text.resize(textSize);
        ends.resize(endCount);
        return false;
    }
    return true;
}

const std::string& DetailEntries::EntryText(size_t i) const {
    static const std::string none;
    return i < entries_.size() ? entries_[i] : none;
}
