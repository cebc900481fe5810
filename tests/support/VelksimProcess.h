#pragma once
// A velksim process on a COM link in the test's private ports folder.
#include <sys/types.h>

#include <string>
#include <vector>

class VelksimProcess {
public:
    // A program built beside the test programs (velksim, velkdump).
    static std::string Program(const char* name);

    // Starts velksim on COMport with the extra arguments; waits for its link.
    bool Start(int port, const std::vector<std::string>& args);
    // SIGTERM and wait; the exit status, or -1.
    int Stop();
    ~VelksimProcess() { Stop(); }

    const std::string& LogPath() const { return log_; }
    std::string Log() const;

private:
    pid_t pid_ = -1;
    std::string log_;
};

// Runs a program to its end; its exit status, or -1. Output lands in files.
int RunProgram(const std::vector<std::string>& argv, const std::string& stdoutPath,
               const std::string& stderrPath, int timeoutMs);
std::string ReadWholeFile(const std::string& path);
