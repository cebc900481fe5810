#pragma once
// Creates the dated log files of long runs: "yyyymmddhhnnss.log" in a
// folder (the program's own by default). An existing file is never
// emptied: a name already taken gets "_2", "_3", ... before ".log".
// Folder and clock can be replaced, so tests choose both.
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

class LogWriter {
public:
    using Clock = std::function<std::time_t()>;
    static constexpr int kMaxSuffix = 9999;

    LogWriter();

    // The folder with its trailing "/".
    void SetFolder(std::string folder);
    const std::string& Folder() const { return folder_; }
    void SetClock(Clock clock) { clock_ = std::move(clock); }

    // "yyyymmddhhnnss" of the local time t.
    static std::string DateName(std::time_t t);

    // Creates a new file named by the clock; with firstIndex not 0 it starts
    // with the "INDEX=" header line. False when no file could be made; errno
    // then says why (as for OpenForAppend and Append).
    bool CreateFile(int32_t firstIndex, std::string& path);

    // The file at path opened for appending; -1 when it cannot be opened.
    static int OpenForAppend(const std::string& path);
    // Appends text; on failure the file is cut back to its former length so
    // a retry never writes a record twice.
    static bool Append(int fd, const std::string& text);
    static bool Close(int fd);

private:
    std::string folder_;
    Clock clock_;
};
