#pragma once
// The frame check sequence of LAPD (Q.921) and X.25 LAPB: CRC-16 with the
// reflected polynomial 0x8408, preset to ones, sent complemented, low octet first.
#include <cstddef>
#include <cstdint>
#include <vector>

class Fcs {
public:
    static uint16_t Compute(const uint8_t* octets, size_t n);
    // Appends the two FCS octets of the frame body already in frame.
    static void Append(std::vector<uint8_t>& frame);
    // True when the last two octets are the FCS of the octets before them.
    static bool Check(const uint8_t* octets, size_t n);
};
