#pragma once
// `velkdump IN --to-trace`: a pcap or pcapng capture of LAPD frames as a
// trace file: the FCS computed afresh, the direction from the capture, the
// time of day from the time stamps. A faulty capture writes no output.
#include <string>

class TraceConvertCommand {
public:
    struct Settings {
        std::string input;
        std::string output;  // empty = standard output
    };
    // 0 done, 1 input failed, 2 output failed.
    static int Run(const Settings& settings);
};
