#pragma once
// `velkdump FILE`: loads a trace or log file and writes the frame list's
// display image text export of it, exactly as the main window writes it,
// with the display options of "velk.opt" and the names of "HDLC.msg" beside
// the program.
#include <string>

#include "files/DetailSource.h"

class ExportCommand {
public:
    enum DetailChoice { kDetailsFromOptions, kDetailsOn, kDetailsOff };

    struct Settings {
        std::string input;    // trace or log file to load
        std::string output;   // text file to write; empty = standard output
        DetailChoice details = kDetailsFromOptions;
    };

    enum Result {
        kDone = 0,
        kInputFailed = 1,       // the file cannot be read or does not load whole
        kOutputFailed = 2,      // the output cannot be created or a write failed
    };

    // details: where each frame's detail entries come from.
    static int Run(const Settings& settings, DetailSource& details);
};
