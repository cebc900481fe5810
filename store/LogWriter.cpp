#include "store/LogWriter.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "base/FileIo.h"
#include "base/DataFolder.h"
#include "store/TraceText.h"


LogWriter::LogWriter() : folder_(DataFolder::Path()), clock_([] { return std::time(nullptr); }) {}

void LogWriter::SetFolder(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    folder_ = std::move(folder);
}

std::string LogWriter::DateName(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    char name[32];
    std::snprintf(name, sizeof name, "%04d%02d%02d%02d%02d%02d", tm.tm_year + 1900, tm.tm_mon + 1,
                  tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
    return name;
}

bool LogWriter::CreateFile(int32_t firstIndex, std::string& path) {
    const std::string base = folder_ + DateName(clock_());
    for (int suffix = 1; suffix <= kMaxSuffix; ++suffix) {
        std::string candidate = suffix == 1 ? base + ".log" : base + "_" + std::to_string(suffix) + ".log";
        int fd = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        bool ok = true;
        if (firstIndex != 0) {
            const std::string header = TraceText::HeaderLine(firstIndex);
            ok = FileIo::WriteAll(fd, header.data(), header.size());
        }
        int error = errno;  // the write's, unless only the close fails
        if (close(fd) != 0 && ok) {
            ok = false;
            error = errno;
        }
        if (!ok) {
            unlink(candidate.c_str());
            errno = error;
            return false;
        }
        path = std::move(candidate);
        return true;
    }
    return false;
}

int LogWriter::OpenForAppend(const std::string& path) {
    return open(path.c_str(), O_WRONLY | O_CLOEXEC);
}

bool LogWriter::Append(int fd, const std::string& text) {
    off_t end = lseek(fd, 0, SEEK_END);
    if (end < 0) return false;
    if (FileIo::WriteAll(fd, text.data(), text.size())) return true;
    const int error = errno;
    if (ftruncate(fd, end) != 0) {
        // Nothing more can be done; the next call appends after the piece.
    }
    errno = error;
    return false;
}

bool LogWriter::Close(int fd) { return close(fd) == 0; }
