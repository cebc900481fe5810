#pragma once
// The main window's saved state, 28 bytes in the option block.
#include <array>
#include <cstdint>

struct WindowState {
    static constexpr size_t kSize = 28;

    uint8_t toolBarShown = 0;
    std::array<uint8_t, 3> padding{};
    int32_t width = 0;
    int32_t height = 0;
    int32_t top = 0;
    int32_t left = 0;
    int32_t firstColumnWidth = 0;
    int32_t secondColumnWidth = 0;

    bool operator==(const WindowState&) const = default;
};
