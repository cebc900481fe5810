#include "tools/ExportCommand.h"

#include "base/DataFolder.h"
#include "decode/MessageCatalogue.h"
#include "files/ListExport.h"
#include "options/OptionData.h"
#include "tools/InputStream.h"
#include "tools/OutputFile.h"

int ExportCommand::Run(const Settings& settings, DetailSource& details) {
    InputStream in(settings.inputs);
    if (!in.Check()) return kInputFailed;

    // The tool never writes velk.opt; without one the defaults apply.
    DisplayOptions snapshot;
    OptionData(DataFolder::Path() + "velk.opt", OptionData::kReadOnly)
        .GetDisplayOptions(snapshot);
    if (settings.details != kDetailsFromOptions)
        snapshot.exportDetail = settings.details == kDetailsOn ? 1 : 0;
    OutputFile out(settings.output, true);
    if (!out.Open()) return kOutputFailed;

    auto feed = [&](FrameRecord& spare, const FrameRecord*& record) {
        const InputStream::Result read = in.Next(spare);
        record = &spare;
        return read == InputStream::kRecord ? ExportChunks::kRecord
               : read == InputStream::kEnd  ? ExportChunks::kEnd
                                            : ExportChunks::kFeedFailed;
    };
    switch (ListExport::ExportStream(feed, snapshot, MessageCatalogue::Program(), details, out.Writer())) {
        case ListExport::kWritten: return out.Commit();
        case ListExport::kFeedFailed: return kInputFailed;
        case ListExport::kFailed: break;
    }
    in.ClearProgress();
    return out.WriteFailed(out.Writer().Error());
}
