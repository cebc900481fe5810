#pragma once
// A velksim process on a COM link in a private ports folder, for tests.
#include <sys/types.h>

#include <string>
#include <vector>

class VelksimProcess {
public:
    // Sets VELKSCOPE_PORTS to a fresh folder shared by every simulator of the test.
    static std::string PortsFolder();

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
