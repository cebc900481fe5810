#pragma once
// The display options record, 244 bytes in the option block. Colours are
// 0x00BBGGRR; switches are one byte, 1 on, 0 off. Values are kept exactly
// as read (padding too), so a record copied out and back changes nothing.
#include <array>
#include <cstdint>

struct DisplayOptions {
    static constexpr size_t kSize = 244;
    static constexpr size_t kColumnSlots = 50;
    static constexpr int32_t kEndOfColumns = -1;
    static constexpr int32_t kLineBreakColumn = 13;

    uint32_t firstLineColour = 0;
    uint32_t errorColour = 0;
    // Column ids in display order; the first -1 ends the list.
    std::array<int32_t, kColumnSlots> columnOrder{};
    int8_t dataSplit = 0;  // bytes per group in the data column: 0, 8, 16 or 32
    std::array<uint8_t, 3> padding1{};
    uint32_t titleColour = 0;
    uint32_t iconColour = 0;
    uint32_t separatorColour = 0;
    uint8_t showTitles = 0;
    uint8_t showIcons = 0;
    uint8_t showSeparators = 0;
    uint8_t indent = 0;
    uint32_t lampActiveColour = 0;
    uint32_t lampInactiveColour = 0;
    uint32_t lampFaultColour = 0;
    uint8_t uniqueFileName = 0;
    uint8_t searchHiddenText = 0;
    uint8_t exportDetail = 0;
    uint8_t padding2 = 0;

    bool operator==(const DisplayOptions&) const = default;
};
