#include "store/Fcs.h"

#include <array>

namespace {

constexpr std::array<uint16_t, 256> MakeTable() {
    std::array<uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        uint16_t crc = static_cast<uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0x8408) : static_cast<uint16_t>(crc >> 1);
        table[i] = crc;
    }
    return table;
}

constexpr std::array<uint16_t, 256> kTable = MakeTable();

}  // namespace

uint16_t Fcs::Compute(const uint8_t* octets, size_t n) {
    uint16_t crc = 0xFFFF;
    for (size_t i = 0; i < n; ++i) crc = static_cast<uint16_t>((crc >> 8) ^ kTable[(crc ^ octets[i]) & 0xFF]);
    return static_cast<uint16_t>(crc ^ 0xFFFF);
}

void Fcs::Append(std::vector<uint8_t>& frame) {
    uint16_t fcs = Compute(frame.data(), frame.size());
    frame.push_back(static_cast<uint8_t>(fcs & 0xFF));
    frame.push_back(static_cast<uint8_t>(fcs >> 8));
}

bool Fcs::Check(const uint8_t* octets, size_t n) {
    if (n < 2) return false;
    uint16_t fcs = Compute(octets, n - 2);
    return octets[n - 2] == (fcs & 0xFF) && octets[n - 1] == (fcs >> 8);
}
