#pragma once
// The device clock as the user types it in the monitor options: exactly
// "hh:mm:ss", digits only; hours may run to 99, minutes and seconds to 59.
#include <string_view>

#include "store/TimeStamp.h"

class ClockText {
public:
    // True and time set (milliseconds 0) when text has that form; time is
    // left alone otherwise.
    static bool Parse(std::string_view text, TimeStamp& time);
};
