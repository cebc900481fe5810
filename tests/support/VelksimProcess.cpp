#include "tests/support/VelksimProcess.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <fstream>
#include <iterator>

#include "base/ProgramFolder.h"
#include "tests/support/PtyDevice.h"

namespace {

pid_t Spawn(const std::vector<std::string>& argv, const std::string& out, const std::string& err) {
    pid_t pid = fork();
    if (pid != 0) return pid;
    dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
    dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
}

int WaitExit(pid_t pid, int timeoutMs) {
    int status = 0;
    pid_t r = 0;
    if (!WaitUntil([&] { return (r = waitpid(pid, &status, WNOHANG)) != 0; }, timeoutMs)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return r == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string VelksimProcess::Program(const char* name) { return ProgramFolder::Path() + name; }

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool VelksimProcess::Start(int port, const std::vector<std::string>& args) {
    const std::string base = TestPorts::Folder() + "velksim" + std::to_string(port);
    log_ = base + ".log";
    std::vector<std::string> argv = {Program("velksim"), "--port", std::to_string(port), "--log", log_};
    argv.insert(argv.end(), args.begin(), args.end());
    pid_ = Spawn(argv, base + ".out", base + ".out.err");
    // The link is in place once the simulator has said so.
    struct stat st;
    const std::string link = TestPorts::Folder() + "COM" + std::to_string(port);
    return WaitUntil([&] {
        return lstat(link.c_str(), &st) == 0 && ReadWholeFile(base + ".out").find("COM") != std::string::npos;
    }, 5000);
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
