#include "tests/support/VelksimProcess.h"

#include <signal.h>
#include <sys/wait.h>

#include <fstream>
#include <iterator>
#include <utility>

#include "base/ProgramFolder.h"
#include "tests/support/Poll.h"
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
    if (testsupport::WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, timeoutMs))
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
    const std::string base = TestPorts::Folder() + "velksim" + std::to_string(port);
    log_ = base + ".log";
    std::vector<std::string> argv = {Program("velksim"), "--port", std::to_string(port), "--log", log_};
    argv.insert(argv.end(), args.begin(), args.end());
    // An earlier run on this port left its files: they must not answer for this one.
    for (const std::string& old : {log_, base + ".out"}) unlink(old.c_str());
    pid_ = Spawn(argv, base + ".out", base + ".out.err");
    // The link is in place once the simulator has said so.
    return testsupport::WaitUntil([&] { return ReadWholeFile(base + ".out").find("COM") != std::string::npos; });
}

int VelksimProcess::Stop() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    return WaitExit(std::exchange(pid_, -1), 5000);
}

std::string VelksimProcess::Log() const { return ReadWholeFile(log_); }

int RunProgram(const std::vector<std::string>& argv, const std::string& stdoutPath,
               const std::string& stderrPath, int timeoutMs) {
    return WaitExit(Spawn(argv, stdoutPath, stderrPath), timeoutMs);
}
