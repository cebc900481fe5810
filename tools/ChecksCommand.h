#pragma once
// `velkdump FILE... --checks`: the protocol checks over the inputs, read as
// one run, each frame through the call tracker and the checker with the
// timer values of "checks.ini" in the data folder, the findings written as
// CSV as they are made. Memory stays flat: findings are not held, and the
// tracker keeps only the calls still open.
#include <string>
#include <vector>

class ChecksCommand {
public:
    struct Settings {
        std::vector<std::string> inputs;
        std::string output;  // empty = standard output
        std::string checksFile;  // the timer values; empty = none, the defaults
    };
    // 0 done (whatever was found), 1 input failed, 2 output failed.
    static int Run(const Settings& settings);
};
