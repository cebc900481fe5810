#pragma once
// `velkdump FILE... --calls`: every call of the inputs, read as one run, as
// CSV, in order of each call's first frame, with the cause names of
// "HDLC.msg" beside the program. Not held to the call list's bound: a call
// is written as soon as it can change no more and every call that began
// before it is written, so only the calls still open stay in memory.
#include <string>
#include <vector>

#include "decode/MessageCatalogue.h"

class CallsCommand {
public:
    struct Settings {
        std::vector<std::string> inputs;
        std::string output;  // empty = standard output
    };
    // 0 done, 1 input failed, 2 output failed.
    static int Run(const Settings& settings, const MessageCatalogue& catalogue);
};
