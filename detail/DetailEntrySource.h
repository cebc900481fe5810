#pragma once
// The detail decoder as the text export's source of detail entries: the
// entries a detail window would hold for the frame and the options.
#include "decode/MessageCatalogue.h"
#include "detail/DetailEntries.h"
#include "files/DetailSource.h"

class DetailEntrySource : public DetailSource {
public:
    explicit DetailEntrySource(const MessageCatalogue& catalogue) : catalogue_(catalogue) {}

    bool Build(const FrameRecord& record, const DisplayOptions& options,
               std::vector<std::string>& entries) override {
        return DetailEntries::Build(record, options, catalogue_, entries);
    }

private:
    const MessageCatalogue& catalogue_;
};
