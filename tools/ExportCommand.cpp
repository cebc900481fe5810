#include "tools/ExportCommand.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/DataFolder.h"
#include "decode/MessageCatalogue.h"
#include "files/ListExport.h"
#include "files/TraceFile.h"
#include "options/OptionData.h"
#include "store/FrameStore.h"

namespace {

int LoadInput(const std::string& path, FrameStore& store) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        std::fprintf(stderr, "velkdump: cannot open %s: %s\n", path.c_str(), std::strerror(errno));
        return ExportCommand::kInputFailed;
    }
    std::atomic<bool> cancel{false};
    TraceFile::LoadResult loaded = TraceFile::LoadFile(store, fd, cancel);
    int readErrno = errno;
    ::close(fd);
    if (loaded == TraceFile::kStoreFull) {
        std::fprintf(stderr, "velkdump: %s holds more than %zu frames\n", path.c_str(),
                     FrameStore::kCapacity);
        return ExportCommand::kInputFailed;
    }
    if (loaded != TraceFile::kLoaded) {
        std::fprintf(stderr, "velkdump: cannot read %s: %s\n", path.c_str(),
                     std::strerror(readErrno));
        return ExportCommand::kInputFailed;
    }
    return ExportCommand::kDone;
}

}  // namespace

int ExportCommand::Run(const Settings& settings, DetailSource& details) {
    FrameStore store;
    if (int result = LoadInput(settings.input, store); result != kDone) return result;

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
