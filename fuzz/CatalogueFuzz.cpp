// Any bytes as a catalogue file: the reader keeps only well-formed entries,
// and every look-up of every section gives a text.
#include <cstdlib>
#include <string_view>

#include "decode/MessageCatalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MessageCatalogue c;
    c.LoadText(std::string_view(reinterpret_cast<const char*>(data), size));
    for (size_t s = 0; s < MessageCatalogue::kSectionCount; ++s) {
        auto section = static_cast<MessageCatalogue::Section>(s);
        for (const CatalogueEntry& e : c.Entries(section)) {
            if (e.text.empty() || e.text.size() > MessageCatalogue::kLineLimit) abort();
            if (e.text.find_first_of("\";\r\n") != std::string::npos) abort();
        }
        if (c.Entries(section).empty()) {
            if (&c.Lookup(section, 0xA5) != &MessageCatalogue::HexText(0xA5)) abort();
            continue;
        }
        for (unsigned code = 0; code < 256; ++code) {
            const std::string& text = c.Lookup(section, static_cast<uint8_t>(code));
            if (text.empty()) abort();
            bool covered = false;
            for (const CatalogueEntry& e : c.Entries(section))
                if (e.Covers(static_cast<uint8_t>(code))) {
                    if (&e.text != &text) abort();  // the first covering entry wins
                    covered = true;
                    break;
                }
            if (!covered && &text != &MessageCatalogue::HexText(static_cast<uint8_t>(code))) abort();
        }
    }
    return 0;
}
