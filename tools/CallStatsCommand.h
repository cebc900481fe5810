#pragma once
// `velkdump FILE... --call-stats`: the call statistics of the inputs, read
// as one run, as CSV sections, with the cause names of "HDLC.msg" beside the
// program. Not held to the call list's bound: a call goes into the figures
// and out of memory once it can change no more and every call that began
// before it went, so what stays is the calls still open and, per call, the
// two times the percentiles need.
#include <string>
#include <vector>

#include "decode/MessageCatalogue.h"

class CallStatsCommand {
public:
    struct Settings {
        std::vector<std::string> inputs;
        std::string output;  // empty = standard output
        std::vector<std::string> prefixes;  // called-number prefixes of their own groups
    };
    // 0 done, 1 input failed, 2 output failed.
    static int Run(const Settings& settings, const MessageCatalogue& catalogue);
    // "03,0120" as prefixes: digits, '*' or '#', at least one of them each;
    // false for anything else.
    static bool ReadPrefixes(const std::string& text, std::vector<std::string>& prefixes);
};
