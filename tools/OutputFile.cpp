#include "tools/OutputFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/FileIo.h"
#include "files/ReplacingFile.h"

int OutputFile::WriteWhole(const std::string& path, std::string_view text) {
    if (path.empty()) {
        if (FileIo::WriteAll(STDOUT_FILENO, text)) return 0;
        std::fprintf(stderr, "velkdump: write error on standard output: %s\n", std::strerror(errno));
        return 2;
    }
    ReplacingFile out(path);
    if (!out.Open()) {
        std::fprintf(stderr, "velkdump: cannot create %s: %s\n", path.c_str(), std::strerror(errno));
        return 2;
    }
    if (!FileIo::WriteAll(out.Fd(), text) || !out.Commit()) {
        std::fprintf(stderr, "velkdump: write error on %s: %s\n", path.c_str(), std::strerror(errno));
        return 2;
    }
    return 0;
}
