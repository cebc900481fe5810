#pragma once
// A table of the fields of one octet, each looked up in the catalogue: its
// display mask, label and section, and how its key is made from the octet.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "decode/DetailItem.h"
#include "decode/MessageCatalogue.h"

class FieldGroup {
public:
    enum KeyRule : uint8_t {
        // octet AND keyMask, bits left in place
        kMasked,
        // keyMask when any of its bits is set in the octet, else its complement
        kFlag,
    };
    struct Row {
        uint8_t mask;
        const char* label;  // UTF-8
        MessageCatalogue::Section section;
        uint8_t keyMask;
        KeyRule rule;
    };

    // Labels are converted to CP932 once, here.
    FieldGroup(std::initializer_list<Row> rows);

    // Every field of the table, each on its own display line.
    void Write(DetailItem& item, const MessageCatalogue& catalogue) const;

    static uint8_t Key(uint8_t octet, uint8_t keyMask, KeyRule rule);

private:
    struct Field {
        uint8_t mask;
        std::string label;
        MessageCatalogue::Section section;
        uint8_t keyMask;
        KeyRule rule;
    };
    std::vector<Field> fields_;
};
