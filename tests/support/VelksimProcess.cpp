#include "tests/support/VelksimProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "base/ProgramFolder.h"
#include "tests/support/PtyDevice.h"

namespace {

pid_t Spawn(const std::vector<std::string>& argv, const std::string& out, const std::string& err) {
    pid_t pid = fork();
    if (pid != 0) return pid;
    int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(o, 1);
    dup2(e, 2);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
}

int WaitExit(pid_t pid, int timeoutMs) {
    int status = 0;
    for (int waited = 0; waited <= timeoutMs; waited += 10) {
        pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (r < 0) return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

}  // namespace

std::string VelksimProcess::Program(const char* name) { return ProgramFolder::Path() + name; }

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool VelksimProcess::Start(int port, const std::vector<std::string>& args) {
    const std::string& folder = TestPorts::Folder();
    std::string link = folder + "COM" + std::to_string(port);
    log_ = folder + "velksim" + std::to_string(port) + ".log";
    std::vector<std::string> argv = {Program("velksim"), "--port", std::to_string(port), "--log", log_};
    argv.insert(argv.end(), args.begin(), args.end());
    std::string out = folder + "velksim" + std::to_string(port) + ".out";
    pid_ = Spawn(argv, out, out + ".err");
    // The link is in place once the simulator has said so.
    for (int i = 0; i < 500; ++i) {
        struct stat st;
        if (lstat(link.c_str(), &st) == 0 && ReadWholeFile(out).find("COM") != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

int VelksimProcess::Stop() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    int status = WaitExit(pid_, 5000);
    pid_ = -1;
    return status;
}

std::string VelksimProcess::Log() const { return ReadWholeFile(log_); }

int RunProgram(const std::vector<std::string>& argv, const std::string& stdoutPath,
               const std::string& stderrPath, int timeoutMs) {
    return WaitExit(Spawn(argv, stdoutPath, stderrPath), timeoutMs);
}
