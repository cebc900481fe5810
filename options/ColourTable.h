#pragma once
// The 15 colours every colour list of the display options offers, in the
// order shown. Values are 0x00BBGGRR as the options record keeps them.
#include <cstdint>
#include <string>

class ColourTable {
public:
    static constexpr int kCount = 15;
    static constexpr int kWhite = 14;

    // CP932 name of entry index (0..14).
    static const std::string& Name(int index);
    // The value of entry index; white for an index outside the table.
    static uint32_t Value(int index);
    // The first of entries 0..13 holding value; any other value is white.
    static int IndexOf(uint32_t value);
};
