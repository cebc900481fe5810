#pragma once
// One line of the catalogue: a code range and its display text (CP932 bytes
// as they stand in the file).
#include <cstdint>
#include <string>

struct CatalogueEntry {
    uint8_t low = 0;
    uint8_t high = 0;  // equal to low for a single code; below low it never matches
    std::string text;

    bool Covers(uint8_t code) const { return low <= code && code <= high; }
};
