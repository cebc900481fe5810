// velkdump: Velkscope's command-line tool for machines without a desktop.
#include <signal.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cerrno>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "base/Signals.h"
#include "checks/CheckSettings.h"
#include "decode/MessageCatalogue.h"
#include "files/DetailEntrySource.h"
#include "tools/CallStatsCommand.h"
#include "tools/CallsCommand.h"
#include "tools/ChecksCommand.h"
#include "tools/CaptureCommand.h"
#include "tools/PcapngCommand.h"
#include "tools/TraceConvertCommand.h"
#include "tools/ExportCommand.h"

namespace {

// Set by SIGINT and SIGTERM while capturing.
std::atomic<bool> stopRequested{false};

void Usage(FILE* out) {
    std::fprintf(out,
                 "usage: velkdump FILE... [-o OUT] [--details | --no-details]\n"
                 "       velkdump FILE... --pcapng [--date YYYY-MM-DD] [-o OUT]\n"
                 "       velkdump FILE... --to-trace [-o OUT]\n"
                 "       velkdump FILE... --calls [-o OUT]\n"
                 "       velkdump FILE... --call-stats [--prefix P[,P...]] [-o OUT]\n"
                 "       velkdump FILE... --checks [-o OUT]\n"
                 "       velkdump --capture N [--count K] [-o OUT]\n"
                 "       velkdump --help | --version\n"
                 "  FILE...       trace, log, pcap or pcapng files (told by their content),\n"
                 "                read in the order given as one run: each file's frames keep\n"
                 "                the INDEX it gives them, the decoder's and the calls' state\n"
                 "                carries on from file to file\n"
                 "                Without a mode: write the frame list as text, as the\n"
                 "                program's display image export does (standard output, or\n"
                 "                OUT with -o), with the display options of velk.opt\n"
                 "  --details     include each frame's detail (overrides velk.opt)\n"
                 "  --no-details  rows only (overrides velk.opt)\n"
                 "  --pcapng      write the frames as pcapng (LAPD) for Wireshark\n"
                 "  --to-trace    write the frames as trace files of at most 30000 frames\n"
                 "                each: OUT, OUT_1, OUT_2, ... (week.vkt, week_1.vkt, ...);\n"
                 "                standard output takes 30000 frames at most\n"
                 "  --calls       write every call as CSV (CP932, CR LF), one row per call\n"
                 "                in order of its first frame\n"
                 "  --call-stats  write the call statistics as CSV sections (CP932, CR LF):\n"
                 "                calls by result, by cause, SETUP to ALERTING, talk time,\n"
                 "                calls per hour, B channels by busy time\n"
                 "  --prefix P    with --call-stats: called-number prefixes (digits, * or #,\n"
                 "                comma-separated), each a group of its own in the delay and\n"
                 "                talk time tables\n"
                 "  --checks      write the findings of the protocol checks as CSV (CP932,\n"
                 "                CR LF), one row per finding as it is found, with the timer\n"
                 "                values of checks.ini in the data folder; status 0 whatever\n"
                 "                is found\n"
                 "  --date D      the date of the first file's first frame (default: from a\n"
                 "                dated log file's name, else the file's modification date);\n"
                 "                a later file starts on its dated log name's date, else on\n"
                 "                the day the file before ended; captures keep their own dates\n"
                 "  --capture N   monitor the capture device on COMN and write its frames\n"
                 "                as a trace file (standard output, or OUT with -o)\n"
                 "  --count K     stop after K frames (default: until SIGINT or SIGTERM)\n"
                 "A closed pipe on standard output ends the run quietly; on a terminal a long\n"
                 "run shows its progress on standard error.\n");
}

int Usage() {
    Usage(stderr);
    return 2;
}

bool ReadNumber(const char* text, unsigned long long& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtoull(text, &end, 10);
    return text[0] >= '0' && text[0] <= '9' && end && *end == '\0' && errno == 0;
}

int Run(int argc, char** argv) {
    CaptureCommand::Settings capture;
    ExportCommand::Settings exporting;
    bool captureMode = false;
    bool countGiven = false;
    bool pcapng = false;
    bool toTrace = false;
    bool calls = false;
    bool callStats = false;
    bool checks = false;
    bool prefixGiven = false;
    std::vector<std::string> prefixes;
    std::string date;
    // The output modes exclude one another.
    auto modeGiven = [&] { return pcapng || toTrace || calls || callStats || checks; };
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        unsigned long long n = 0;
        if (arg == "--help" || arg == "-h") {
            Usage(stdout);
            return 0;
        } else if (arg == "--version") {
            std::printf("velkdump %s\n", VELK_VERSION);
            return 0;
        } else if (arg == "--capture" && hasValue && ReadNumber(argv[++i], n) && n >= 1 && n <= 128) {
            captureMode = true;
            capture.comNumber = static_cast<int>(n);
        } else if (arg == "--count" && hasValue && ReadNumber(argv[++i], n) && n >= 1) {
            capture.count = n;
            countGiven = true;
        } else if (arg == "-o" && hasValue && capture.output.empty() && argv[i + 1][0] != '\0') {
            capture.output = argv[++i];
            exporting.output = capture.output;
        } else if (arg == "--pcapng" && !modeGiven()) {
            pcapng = true;
        } else if (arg == "--to-trace" && !modeGiven()) {
            toTrace = true;
        } else if (arg == "--calls" && !modeGiven()) {
            calls = true;
        } else if (arg == "--call-stats" && !modeGiven()) {
            callStats = true;
        } else if (arg == "--checks" && !modeGiven()) {
            checks = true;
        } else if (arg == "--prefix" && hasValue && !prefixGiven &&
                   CallStatsCommand::ReadPrefixes(argv[++i], prefixes)) {
            prefixGiven = true;
        } else if (arg == "--date" && hasValue && date.empty() && argv[i + 1][0] != '\0') {
            date = argv[++i];
        } else if ((arg == "--details" || arg == "--no-details") &&
                   exporting.details == ExportCommand::kDetailsFromOptions) {
            exporting.details = arg == "--details" ? ExportCommand::kDetailsOn
                                                   : ExportCommand::kDetailsOff;
        } else if (!arg.empty() && arg[0] != '-') {
            exporting.inputs.push_back(arg);
        } else {
            return Usage();
        }
    }
    bool exportMode = !exporting.inputs.empty();
    if (captureMode == exportMode) return Usage();
    if (captureMode && exporting.details != ExportCommand::kDetailsFromOptions) return Usage();
    if (exportMode && countGiven) return Usage();
    if (toTrace && (!exportMode || exporting.details != ExportCommand::kDetailsFromOptions)) return Usage();
    if (pcapng && (!exportMode || exporting.details != ExportCommand::kDetailsFromOptions)) return Usage();
    if (calls && (!exportMode || exporting.details != ExportCommand::kDetailsFromOptions)) return Usage();
    if (callStats && (!exportMode || exporting.details != ExportCommand::kDetailsFromOptions)) return Usage();
    if (checks && (!exportMode || exporting.details != ExportCommand::kDetailsFromOptions)) return Usage();
    if (prefixGiven && !callStats) return Usage();
    if (!date.empty() && !pcapng) return Usage();

    Signals::IgnoreBrokenPipe();
    if (toTrace) return TraceConvertCommand::Run({exporting.inputs, exporting.output});
    if (pcapng) return PcapngCommand::Run({exporting.inputs, exporting.output, date});
    if (calls) return CallsCommand::Run({exporting.inputs, exporting.output}, MessageCatalogue::Program());
    if (checks) return ChecksCommand::Run({exporting.inputs, exporting.output, CheckSettings::DefaultPath()});
    if (callStats)
        return CallStatsCommand::Run({exporting.inputs, exporting.output, prefixes}, MessageCatalogue::Program());
    if (exportMode) {
        // Details from the detail decoder with the program's catalogue, as the
        // main window's export builds them; one decoder for the whole run.
        DetailEntrySource details(MessageCatalogue::Program());
        return ExportCommand::Run(exporting, details);
    }

    Signals::StopFlagOn({SIGINT, SIGTERM}, stopRequested);
    return CaptureCommand::Run(capture, stopRequested);
}

}  // namespace

int main(int argc, char** argv) {
    // The last line of defence against a hostile input that asks for more
    // memory than there is (a record without end): a message, not an abort.
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "velkdump: out of memory\n");
        return 1;
    }
}
