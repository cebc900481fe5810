// Any bytes as a catalogue file: the reader keeps only well-formed entries,
// and every look-up of every section gives the text of the first entry that
// covers the code, else the code's prebuilt hex text.
#include <cstdlib>
#include <string_view>

#include "decode/MessageCatalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using MC = MessageCatalogue;
    MC c;
    c.LoadText(std::string_view(reinterpret_cast<const char*>(data), size));
    for (size_t s = 0; s < MC::kSectionCount; ++s) {
        const auto section = static_cast<MC::Section>(s);
        // "0xN=" at least stands before a text on its line.
        for (const CatalogueEntry& e : c.Entries(section))
            if (e.text.empty() || e.text.size() > MC::kLineLimit - 4 || e.text.find_first_of("\";\r\n") != e.text.npos)
                abort();
        if (c.Entries(section).empty()) {  // no table to look through: one code tells
            if (&c.Lookup(section, 0xA5) != &MC::HexText(0xA5)) abort();
            continue;
        }
        for (unsigned code = 0; code < 256; ++code) {
            const std::string* expected = &MC::HexText(static_cast<uint8_t>(code));
            for (const CatalogueEntry& e : c.Entries(section))
                if (e.Covers(static_cast<uint8_t>(code))) {
                    expected = &e.text;
                    break;
                }
            if (&c.Lookup(section, static_cast<uint8_t>(code)) != expected) abort();
        }
    }
    return 0;
}
