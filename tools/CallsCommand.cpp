#include "tools/CallsCommand.h"

#include "calls/CallCsv.h"
#include "calls/CallTracker.h"
#include "tools/InputStream.h"
#include "tools/OutputFile.h"

int CallsCommand::Run(const Settings& settings, const MessageCatalogue& catalogue) {
    InputStream in(settings.inputs);
    if (!in.Check()) return 1;
    OutputFile out(settings.output);
    if (!out.Open()) return 2;
    FdWriter& writer = out.Writer();
    writer.Buffer() = CallCsv::Header();

    CallTracker tracker(CallTracker::kUnbounded);
    CallRecord settled;
    FrameRecord record;
    InputStream::Result read;
    while ((read = in.Next(record)) == InputStream::kRecord) {
        tracker.Add(record);
        while (tracker.TakeSettled(settled)) CallCsv::AppendRow(writer.Buffer(), settled, catalogue);
        if (!writer.FlushIfFull()) {
            in.ClearProgress();
            return out.WriteFailed(writer.Error());
        }
    }
    if (read == InputStream::kFailed) return 1;
    for (const CallRecord& call : tracker) CallCsv::AppendRow(writer.Buffer(), call, catalogue);
    return out.Commit();
}
