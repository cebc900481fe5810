#pragma once
// `velkdump FILE --pcapng`: a trace or log file as a pcapng file for
// Wireshark. Records hold only the time of day; the date is the one given,
// else the one in a dated log file's name, else the file's modification date.
#include <string>

class PcapngCommand {
public:
    struct Settings {
        std::string input;
        std::string output;  // empty = standard output
        std::string date;    // "YYYY-MM-DD" or empty
    };
    // 0 done, 1 input failed, 2 output failed or a bad date.
    static int Run(const Settings& settings);
    // The date of a log file's name "yyyymmddhhnnss[_n].log"; false for other names.
    static bool DateOfLogName(const std::string& path, int& year, int& month, int& day);
};
