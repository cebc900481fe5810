#include "tools/CallsCommand.h"

#include "calls/CallCsv.h"
#include "tools/InputCalls.h"
#include "tools/InputStream.h"
#include "tools/OutputFile.h"

int CallsCommand::Run(const Settings& settings, const MessageCatalogue& catalogue) {
    InputStream in(settings.inputs);
    if (!in.Check()) return 1;
    OutputFile out(settings.output);
    if (!out.Open()) return 2;
    FdWriter& writer = out.Writer();
    writer.Buffer() = CallCsv::Header();

    switch (InputCalls::Read(in, [&](const CallRecord& call, int64_t) {
        CallCsv::AppendRow(writer.Buffer(), call, catalogue);
        return writer.FlushIfFull();
    })) {
        case InputCalls::kDone: return out.Commit();
        case InputCalls::kInputFailed: return 1;
        case InputCalls::kStopped: break;
    }
    in.ClearProgress();
    return out.WriteFailed(writer.Error());
}
