#pragma once
#include <string>

// The folder of the running program file, where "HDLC.msg", "velk.opt",
// the log files and ports/ live.
class ProgramFolder {
public:
    // The folder with its trailing "/"; "./" when it cannot be found.
    static std::string Path();
};
