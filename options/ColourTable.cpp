#include "options/ColourTable.h"

#include <array>

#include "base/Cp932.h"

namespace {

struct Colour {
    const char* name;
    uint32_t value;
};

constexpr std::array<Colour, ColourTable::kCount> kColours{{
    {"黒色", 0x000000}, {"栗色", 0x000080}, {"濃緑色", 0x008000}, {"黄緑色", 0x008080},
    {"濃紺色", 0x800000}, {"紫色", 0x800080}, {"暗青緑色", 0x808000}, {"灰色", 0x808080},
    {"銀色", 0xC0C0C0}, {"赤色", 0x0000FF}, {"緑色", 0x00FF00}, {"青色", 0xFF0000},
    {"赤紫色", 0xFF00FF}, {"空色", 0xFFFF00}, {"白色", 0xFFFFFF},
}};

bool InTable(int index) { return index >= 0 && index < ColourTable::kCount; }

}  // namespace

const std::string& ColourTable::Name(int index) {
    static const std::array<std::string, kCount> names = [] {
        std::array<std::string, kCount> out;
        for (size_t i = 0; i < out.size(); ++i) out[i] = Cp932::FromUtf8(kColours[i].name);
        return out;
    }();
    return names[static_cast<size_t>(InTable(index) ? index : kWhite)];
}

uint32_t ColourTable::Value(int index) { return kColours[static_cast<size_t>(InTable(index) ? index : kWhite)].value; }

int ColourTable::IndexOf(uint32_t value) {
    for (int i = 0; i < kWhite; ++i)
        if (kColours[static_cast<size_t>(i)].value == value) return i;
    return kWhite;
}
