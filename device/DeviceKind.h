#pragma once
// The capture device model; it selects the status line layout.
#include <cstdint>

enum class DeviceKind : uint8_t { kRq730 = 0, kTessaro = 1 };
