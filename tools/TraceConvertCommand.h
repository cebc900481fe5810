#pragma once
// `velkdump IN... --to-trace`: the inputs as trace files the window loads
// whole, one per 30000 frames: OUT, then OUT_1, OUT_2, ... (week.vkt,
// week_1.vkt, ...). A capture's frames get their FCS computed afresh, the
// direction from the capture and the time of day from the time stamps. A
// file's first record gives the "INDEX=" header a saved trace would have.
// A fault anywhere writes no file.
#include <string>
#include <vector>

class TraceConvertCommand {
public:
    struct Settings {
        std::vector<std::string> inputs;
        std::string output;  // empty = standard output, which takes one file's frames only
    };
    // 0 done, 1 input failed, 2 output failed or too many frames for standard output.
    static int Run(const Settings& settings);
    // The name of the file after the first `piece` files: OUT_piece with
    // OUT's extension kept.
    static std::string PieceName(const std::string& output, size_t piece);
};
