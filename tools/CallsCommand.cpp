#include "tools/CallsCommand.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "calls/CallCsv.h"
#include "calls/CallTracker.h"
#include "files/FdWriter.h"
#include "files/ReplacingFile.h"
#include "tools/InputFile.h"

int CallsCommand::Run(const Settings& settings, const MessageCatalogue& catalogue) {
    const int in = InputFile::Open(settings.input);
    if (in < 0) return 1;
    // A file given with -o is replaced only once all of it was written.
    std::unique_ptr<ReplacingFile> file;
    const std::string outName = settings.output.empty() ? "standard output" : settings.output;
    if (!settings.output.empty()) {
        file = std::make_unique<ReplacingFile>(settings.output);
        if (!file->Open()) {
            std::fprintf(stderr, "velkdump: cannot create %s: %s\n", outName.c_str(), std::strerror(errno));
            ::close(in);
            return 2;
        }
    }
    FdWriter out(file ? file->Fd() : STDOUT_FILENO);
    out.Buffer() = CallCsv::Header();

    CallTracker tracker(CallTracker::kUnbounded);
    CallRecord settled;
    const bool read = InputFile::Scan(in, settings.input, [&](FrameRecord&& record) {
        tracker.Add(record);
        while (tracker.TakeSettled(settled)) CallCsv::AppendRow(out.Buffer(), settled, catalogue);
        return out.FlushIfFull();
    });
    if (!read) return 1;
    for (const CallRecord& call : tracker) CallCsv::AppendRow(out.Buffer(), call, catalogue);
    if (!out.Flush() || (file && !file->Commit())) {
        std::fprintf(stderr, "velkdump: write error on %s: %s\n", outName.c_str(), std::strerror(errno));
        return 2;
    }
    return 0;
}
