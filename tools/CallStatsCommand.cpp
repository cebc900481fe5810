#include "tools/CallStatsCommand.h"

#include "calls/CallStatistics.h"
#include "calls/CallStatisticsCsv.h"
#include "tools/InputCalls.h"
#include "tools/InputStream.h"
#include "tools/OutputFile.h"

bool CallStatsCommand::ReadPrefixes(const std::string& text, std::vector<std::string>& prefixes) {
    prefixes.assign(1, std::string());
    for (char c : text) {
        if (c == ',') prefixes.emplace_back();
        else if ((c >= '0' && c <= '9') || c == '*' || c == '#') prefixes.back().push_back(c);
        else return false;
    }
    for (const std::string& p : prefixes)
        if (p.empty()) return false;
    return true;
}

int CallStatsCommand::Run(const Settings& settings, const MessageCatalogue& catalogue) {
    InputStream in(settings.inputs);
    if (!in.Check()) return 1;
    OutputFile out(settings.output);
    if (!out.Open()) return 2;

    CallStatistics stats;
    stats.SetPrefixes(settings.prefixes);
    stats.Start();
    // A settled call reaches its last frame whatever the clock says.
    const InputCalls::Result read = InputCalls::Read(in, [&](const CallRecord& call, int64_t nowMs) {
        stats.Add(call, nowMs);
        return true;
    });
    if (read != InputCalls::kDone) return 1;
    stats.Finish();
    out.Writer().Buffer() = CallStatisticsCsv::Text(stats, catalogue);
    return out.Commit();
}
