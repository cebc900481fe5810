#pragma once
// `velkdump FILE...`: the frame list's display image text export of the
// inputs, exactly as the main window writes it for each file it loads, with
// the display options of "velk.opt" and the names of "HDLC.msg" beside the
// program. The records go through in chunks: any number of them, in
// little memory, the first rows out before the inputs are read to the end.
#include <string>
#include <vector>

#include "files/DetailSource.h"

class ExportCommand {
public:
    enum DetailChoice { kDetailsFromOptions, kDetailsOn, kDetailsOff };

    struct Settings {
        std::vector<std::string> inputs;
        std::string output;   // text file to write; empty = standard output
        DetailChoice details = kDetailsFromOptions;
    };

    enum Result {
        kDone = 0,
        kInputFailed = 1,       // an input cannot be read or is of no known kind
        kOutputFailed = 2,      // the output cannot be created or a write failed
    };

    // details: where each frame's detail entries come from, one source for
    // the whole run.
    static int Run(const Settings& settings, DetailSource& details);
};
