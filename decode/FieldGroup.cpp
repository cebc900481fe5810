#include "decode/FieldGroup.h"

#include "base/Cp932.h"

FieldGroup::FieldGroup(std::initializer_list<Row> rows) {
    fields_.reserve(rows.size());
    for (const Row& row : rows)
        fields_.push_back({row.mask, Cp932::FromUtf8(row.label), row.section, row.keyMask, row.rule});
}

void FieldGroup::Write(DetailItem& item, const MessageCatalogue& catalogue) const {
    for (const Field& f : fields_)
        item.Field(f.mask, f.label)
            .Add(catalogue.Lookup(f.section, Key(item.Octet(), f.keyMask, f.rule)));
}

uint8_t FieldGroup::Key(uint8_t octet, uint8_t keyMask, KeyRule rule) {
    if (rule == kMasked) return octet & keyMask;
    return (octet & keyMask) ? keyMask : static_cast<uint8_t>(~keyMask);
}
