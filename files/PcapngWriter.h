#pragma once
// Frames as a pcapng file for Wireshark: one interface of link type LAPD
// (203), each frame from its address octet through its information field.
// The enhanced packet block's flags carry the direction (TX outbound, RX
// inbound: Wireshark then reads every C/R bit as our decoder does) and,
// for a frame whose FCS fails, the CRC-error bit. Trace records hold only
// the time of day: the caller gives the date of the first record, and a
// time that goes backwards starts the next day.
#include <cstdint>
#include <string>

#include "store/FrameRecord.h"

class PcapngWriter {
public:
    static constexpr uint16_t kLinkTypeLapd = 203;
    static constexpr uint32_t kInbound = 1;
    static constexpr uint32_t kOutbound = 2;
    static constexpr uint32_t kCrcError = 1u << 24;

    // startOfDay: the local midnight of the first record's date, in seconds
    // since the epoch. out receives the section and interface headers.
    PcapngWriter(std::string& out, int64_t startOfDay);

    // The records from here on start on this date (local midnight, seconds
    // since the epoch), as the first ones did on the constructor's.
    void StartDay(int64_t startOfDay) {
        dayStartUs_ = startOfDay * 1'000'000;
        lastOfDayUs_ = -1;
    }

    // Appends the frame's packet block.
    void Append(const FrameRecord& record);

    // Local midnight of a calendar date; false for an impossible date.
    static bool MidnightOf(int year, int month, int day, int64_t& seconds);

private:
    void Block(uint32_t type, const std::string& body);

    std::string& out_;
    int64_t dayStartUs_;
    int64_t lastOfDayUs_ = -1;
};
