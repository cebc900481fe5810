#include "tools/ExportCommand.h"

#include "base/DataFolder.h"
#include "decode/MessageCatalogue.h"
#include "files/ListExport.h"
#include "options/OptionData.h"
#include "store/FrameStore.h"
#include "tools/InputStream.h"
#include "tools/OutputFile.h"

namespace {

// Frames decoded and written together: a few hundred kilobytes of records.
constexpr size_t kBatch = 4096;

}  // namespace

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

    FrameStore batch;
    FrameRecord record;
    auto write = [&] {
        const bool ok = ListExport::ExportBatch(batch, snapshot, MessageCatalogue::Program(), details, out.Writer());
        batch.Clear();
        return ok;
    };
    InputStream::Result read;
    while ((read = in.Next(record)) == InputStream::kRecord) {
        batch.Take(std::move(record), false);
        if (batch.Count() == kBatch && !write()) break;
    }
    if (read == InputStream::kFailed) return kInputFailed;
    if (read == InputStream::kRecord || !write()) {
        in.ClearProgress();
        return out.WriteFailed(out.Writer().Error());
    }
    return out.Commit();
}
