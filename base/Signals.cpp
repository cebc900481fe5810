#include "base/Signals.h"

#include <errno.h>
#include <unistd.h>

namespace {

std::atomic<std::atomic<bool>*> gStopFlag{nullptr};
std::atomic<int> gWakeFd{-1};

void SetStopFlag(int) {
    if (std::atomic<bool>* flag = gStopFlag.load()) flag->store(true);
}

// The handler may only write: the event loop reads and acts.
void WriteWakeByte(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(gWakeFd.load(), &byte, 1);
    errno = saved;
}

void Install(std::initializer_list<int> numbers, void (*handler)(int), int flags) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = flags;
    for (int number : numbers) ::sigaction(number, &action, nullptr);
}

}  // namespace

void Signals::StopFlagOn(std::initializer_list<int> numbers, std::atomic<bool>& flag) {
    gStopFlag = &flag;
    Install(numbers, SetStopFlag, 0);
}

void Signals::WakePipeOn(std::initializer_list<int> numbers, int fd) {
    gWakeFd = fd;
    Install(numbers, WriteWakeByte, SA_RESTART);
}

void Signals::Restore(std::initializer_list<int> numbers) {
    Install(numbers, SIG_DFL, 0);
}

void Signals::IgnoreBrokenPipe() {
    ::signal(SIGPIPE, SIG_IGN);
}

sigset_t Signals::DeliverOnlyInWait(std::initializer_list<int> numbers) {
    sigset_t blocked, waitMask;
    sigemptyset(&blocked);
    for (int number : numbers) sigaddset(&blocked, number);
    sigprocmask(SIG_BLOCK, &blocked, &waitMask);
    for (int number : numbers) sigdelset(&waitMask, number);
    return waitMask;
}
