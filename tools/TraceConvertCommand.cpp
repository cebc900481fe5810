#include "tools/TraceConvertCommand.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/FileIo.h"
#include "files/CaptureToTrace.h"
#include "files/ReplacingFile.h"

namespace {

bool ReadWhole(const std::string& path, std::string& text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    size_t got = 0;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok) {
        text.resize(static_cast<size_t>(st.st_size));
        ok = FileIo::ReadAll(fd, text.data(), text.size(), got);
        text.resize(got);
    }
    ::close(fd);
    return ok;
}

}  // namespace

int TraceConvertCommand::Run(const Settings& settings) {
    std::string capture;
    if (!ReadWhole(settings.input, capture)) {
        std::fprintf(stderr, "velkdump: cannot read %s: %s\n", settings.input.c_str(), std::strerror(errno));
        return 1;
    }
    std::string trace, message;
    const bool read = CaptureToTrace::Convert(capture, trace, message);
    if (!read) {
        std::fprintf(stderr, "velkdump: %s: %s\n", settings.input.c_str(), message.c_str());
        return 1;
    }
    if (settings.output.empty()) return FileIo::WriteAll(STDOUT_FILENO, trace) ? 0 : 2;
    ReplacingFile out(settings.output);
    if (!out.Open() || !FileIo::WriteAll(out.Fd(), trace) || !out.Commit()) {
        std::fprintf(stderr, "velkdump: cannot write %s: %s\n", settings.output.c_str(), std::strerror(errno));
        return 2;
    }
    return 0;
}
