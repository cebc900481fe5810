#pragma once
// The display names of protocol codes, read from "HDLC.msg" beside the
// program: 107 labelled sections, each an ordered list of code ranges with a
// text. A code without an entry is shown as "0x%02X".
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "decode/CatalogueEntry.h"

class MessageCatalogue {
public:
    // One value per section label, in the order the labels are tested; the
    // names are the labels without their colon.
    enum Section : uint8_t {
#define X(name) name,
#include "decode/CatalogueSections.def"
#undef X
    };
#define X(name) +1
    static constexpr size_t kSectionCount = 0
#include "decode/CatalogueSections.def"
        ;
#undef X
    // Only the first 255 bytes of a line are read.
    static constexpr size_t kLineLimit = 255;

    MessageCatalogue();

    // The program-wide catalogue, loaded from "HDLC.msg" beside the program
    // on first use.
    static const MessageCatalogue& Program();

    // Replace the contents with "HDLC.msg" beside the program, with the file
    // at path, or with the given file contents. A file that cannot be read
    // leaves the catalogue empty and gives false.
    bool Load();
    bool LoadFile(const std::string& path);
    void LoadText(std::string_view contents);

    // The text of the first entry covering code, else "0x%02X" of the code.
    // Never allocates.
    const std::string& Lookup(Section section, uint8_t code) const;
    const std::vector<CatalogueEntry>& Entries(Section section) const;

    // "AF_SAPI:" ... "CRC:".
    static std::string_view Label(Section section);
    // "0x00" ... "0xFF".
    static const std::string& HexText(uint8_t code);

private:
    void Clear();
    void ReadLine(std::string_view line, int& section);
    void BuildIndex();

    static constexpr uint8_t kNoIndex = 0xFF;

    std::array<std::vector<CatalogueEntry>, kSectionCount> entries_;
    // For each section with entries, per code: 1 + the index of the winning
    // entry, 0 for none. Sections without entries have no table.
    std::array<uint8_t, kSectionCount> indexOf_{};
    std::vector<std::array<uint32_t, 256>> index_;
};
