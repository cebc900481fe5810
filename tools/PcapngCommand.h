#pragma once
// `velkdump FILE... --pcapng`: the inputs as one pcapng file for Wireshark.
// Trace records hold only the time of day: the first input's date is the
// one given, else the one in a dated log file's name, else the file's
// modification date; a later input with a dated log file name starts on its
// own date, any other continues from the day the input before ended on.
// A capture's frames keep the dates of their own time stamps.
#include <string>
#include <vector>

class PcapngCommand {
public:
    struct Settings {
        std::vector<std::string> inputs;
        std::string output;  // empty = standard output
        std::string date;    // "YYYY-MM-DD" or empty
    };
    // 0 done, 1 input failed, 2 output failed or a bad date.
    static int Run(const Settings& settings);
    // The date of a log file's name "yyyymmddhhnnss[_n].log"; false for other names.
    static bool DateOfLogName(const std::string& path, int& year, int& month, int& day);
};
