#pragma once
// The detail decoder as the text export's source of detail entries: the
// entries a detail window would hold for the frame and the options. Each
// source decodes with a decoder of its own, so an export's bytes do not
// depend on the details the user opened before.
#include "decode/MessageCatalogue.h"
#include "decode/DetailEntries.h"
#include "files/DetailSource.h"

class DetailEntrySource : public DetailSource {
public:
    explicit DetailEntrySource(const MessageCatalogue& catalogue) : catalogue_(catalogue) {}

    bool Build(const FrameRecord& record, const DisplayOptions& options,
               std::vector<std::string>& entries) override {
        return DetailEntries::Build(decoder_, record, options, catalogue_, entries);
    }
    bool Append(const FrameRecord& record, const DisplayOptions& options, std::string& text,
                std::vector<uint32_t>& ends) override {
        return DetailEntries::Append(decoder_, record, options, catalogue_, text, ends);
    }

private:
    const MessageCatalogue& catalogue_;
    DetailDecoder decoder_;
};
