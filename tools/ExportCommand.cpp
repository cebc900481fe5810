#include "tools/ExportCommand.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/DataFolder.h"
#include "decode/MessageCatalogue.h"
#include "files/ListExport.h"
#include "options/OptionData.h"
#include "store/FrameStore.h"
#include "tools/InputFile.h"

int ExportCommand::Run(const Settings& settings, DetailSource& details) {
    FrameStore store;
    if (!InputFile::Load(settings.input, store)) return kInputFailed;

    // The tool never writes velk.opt; without one the defaults apply.
    DisplayOptions snapshot;
    OptionData(DataFolder::Path() + "velk.opt", OptionData::kReadOnly)
        .GetDisplayOptions(snapshot);
    if (settings.details != kDetailsFromOptions)
        snapshot.exportDetail = settings.details == kDetailsOn ? 1 : 0;
    int out = STDOUT_FILENO;
    const char* outName = "standard output";
    if (!settings.output.empty()) {
        outName = settings.output.c_str();
        out = ::open(outName, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (out < 0) {
            std::fprintf(stderr, "velkdump: cannot create %s: %s\n", outName,
                         std::strerror(errno));
            return kOutputFailed;
        }
    }

    bool ok = ListExport::ExportList(store, snapshot, MessageCatalogue::Program(),
                                     details, out);
    int writeErrno = errno;
    if (out != STDOUT_FILENO && ::close(out) != 0 && ok) {
        ok = false;
        writeErrno = errno;
    }
    if (!ok) {
        std::fprintf(stderr, "velkdump: write error on %s: %s\n", outName,
                     std::strerror(writeErrno));
        return kOutputFailed;
    }
    return kDone;
}
