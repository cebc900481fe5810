#include "tools/TraceConvertCommand.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>

#include "base/FileIo.h"
#include "files/CaptureToTrace.h"
#include "tools/OutputFile.h"

namespace {

// A regular file read whole; one too large for memory is a failure, not
// the end of the program.
bool ReadWhole(const std::string& path, std::string& text, std::string& why) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    struct stat st;
    size_t got = 0;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    why = ok ? "" : "not a regular file";
    // Far beyond any D-channel capture: a sparse or foreign file, not one to hold in memory.
    constexpr off_t kLargest = off_t{1} << 30;
    if (ok && st.st_size > kLargest) {
        ok = false;
        why = "larger than 1 GiB";
    }
    if (ok) {
        try {
            text.resize(static_cast<size_t>(st.st_size));
            ok = FileIo::ReadAll(fd, text.data(), text.size(), got);
            if (!ok) why = std::strerror(errno);
            text.resize(got);
        } catch (const std::exception&) {  // no memory for it
            ok = false;
            why = "too large to read";
        }
    }
    ::close(fd);
    return ok;
}

}  // namespace

int TraceConvertCommand::Run(const Settings& settings) {
    std::string capture, why;
    if (!ReadWhole(settings.input, capture, why)) {
        std::fprintf(stderr, "velkdump: cannot read %s: %s\n", settings.input.c_str(), why.c_str());
        return 1;
    }
    std::string trace, message;
    const bool read = CaptureToTrace::Convert(capture, trace, message);
    if (!read) {
        std::fprintf(stderr, "velkdump: %s: %s\n", settings.input.c_str(), message.c_str());
        return 1;
    }
    return OutputFile::WriteWhole(settings.output, trace);
}
