#include "tools/ChecksCommand.h"

#include <cstdio>

#include "calls/CallTracker.h"
#include "checks/CheckSettings.h"
#include "checks/FindingsCsv.h"
#include "checks/ProtocolChecker.h"
#include "tools/InputStream.h"
#include "tools/OutputFile.h"

namespace {

// A file that cannot be used is said once; a missing one means the defaults.
CheckSettings LoadSettings(const std::string& path) {
    CheckSettings settings;
    if (path.empty()) return settings;
    switch (settings.Load(path)) {
        case CheckSettings::kRead:
        case CheckSettings::kNoFile: break;
        case CheckSettings::kBroken:
            std::fprintf(stderr, "velkdump: %s is not valid; the default timer values are used\n", path.c_str());
            break;
        case CheckSettings::kUnreadable:
            std::fprintf(stderr, "velkdump: cannot read %s; the default timer values are used\n", path.c_str());
            break;
    }
    return settings;
}

}  // namespace

int ChecksCommand::Run(const Settings& settings) {
    InputStream in(settings.inputs);
    if (!in.Check()) return 1;
    const CheckSettings timers = LoadSettings(settings.checksFile);
    OutputFile out(settings.output);
    if (!out.Open()) return 2;
    FdWriter& writer = out.Writer();
    writer.Buffer() = FindingsCsv::Header();

    CallTracker tracker;
    ProtocolChecker checker(timers);
    CallRecord settled;
    FrameRecord record;
    InputStream::Result read;
    for (uint64_t frames = 1; (read = in.Next(record)) == InputStream::kRecord; ++frames) {
        checker.Add(record, tracker.Add(record));
        // The checker needs the calls' numbers only: the tracker lets go of
        // settled calls and of its list of changes.
        while (tracker.TakeSettled(settled)) {}
        if (frames % 4096 == 0) tracker.TakeChanged();
        if (checker.Findings().Count() == 0) continue;
        for (const Finding& finding : checker.Findings().Take()) FindingsCsv::AppendRow(writer.Buffer(), finding);
        if (!writer.FlushIfFull()) {
            in.ClearProgress();
            return out.WriteFailed(writer.Error());
        }
    }
    if (read == InputStream::kFailed) return 1;
    return out.Commit();
}
