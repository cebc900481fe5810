#pragma once
// Time of day of a frame as the capture device stamped it: no date.
#include <cstdint>
#include <string>
#include <string_view>

class TimeStamp {
public:
    TimeStamp() = default;

    // Accepted when hours >= 0, minutes and seconds 0..59, milliseconds 0..999;
    // otherwise nothing changes.
    bool Set(int hours, int minutes, int seconds, int milliseconds);
    // The device's bracketed form "[hh:mm:ss.mmm]"; characters after it are ignored.
    bool Parse(std::string_view text);
    // "hh:mm:ss.mmm"
    std::string Format() const;
    // "hh:mm:ss", the clock shown in the monitor options dialog.
    std::string FormatClock() const;

    int Hours() const { return hours_; }
    int Minutes() const { return minutes_; }
    int Seconds() const { return seconds_; }
    int Milliseconds() const { return milliseconds_; }

    bool operator==(const TimeStamp&) const = default;

private:
    uint8_t hours_ = 0;
    uint8_t minutes_ = 0;
    uint8_t seconds_ = 0;
    uint16_t milliseconds_ = 0;
};
