#pragma once
// The monitor options record, 8 bytes in the option block.
#include <cstdint>

struct MonitorOptions {
    static constexpr size_t kSize = 8;

    int32_t portIndex = 0;  // 0 = COM1
    uint8_t voiceAutomatic = 0;
    uint8_t ringBuffer = 0;
    uint8_t logFile = 0;
    uint8_t padding = 0;

    bool operator==(const MonitorOptions&) const = default;
};
