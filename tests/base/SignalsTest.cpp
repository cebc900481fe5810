// The signal set-up velksim, velkdump, the extcap program and the main
// window share, with SIGUSR1/SIGUSR2 standing in for the termination signals.
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>

#include <gtest/gtest.h>

#include "base/Signals.h"

TEST(Signals, FlagIsSetOnlyInsideTheWaitAndTheDefaultComesBack) {
    std::atomic<bool> stop{false};
    Signals::StopFlagOn({SIGUSR1, SIGUSR2}, stop);
    raise(SIGUSR2);
    EXPECT_TRUE(stop);

    // Blocked until the wait: the flag waits too, then the wait ends at once.
    stop = false;
    sigset_t before;
    sigprocmask(SIG_BLOCK, nullptr, &before);
    const sigset_t waitMask = Signals::DeliverOnlyInWait({SIGUSR1});
    raise(SIGUSR1);
    EXPECT_FALSE(stop);
    timespec timeout{5, 0};
    EXPECT_EQ(ppoll(nullptr, 0, &timeout, &waitMask), -1);
    EXPECT_EQ(errno, EINTR);
    EXPECT_TRUE(stop);
    sigprocmask(SIG_SETMASK, &before, nullptr);

    EXPECT_EXIT(
        {
            Signals::Restore({SIGUSR1});
            raise(SIGUSR1);
            _exit(0);
        },
        testing::KilledBySignal(SIGUSR1), "");
    Signals::Restore({SIGUSR1, SIGUSR2});
}

TEST(Signals, WakePipeGetsAByteASignalAndABrokenPipeIsAWriteError) {
    int fds[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, fds), 0);
    Signals::WakePipeOn({SIGUSR1}, fds[1]);
    raise(SIGUSR1);
    raise(SIGUSR1);
    char bytes[4];
    EXPECT_EQ(read(fds[0], bytes, sizeof bytes), 2);
    Signals::Restore({SIGUSR1});

    // A reader that went away: EPIPE instead of the end of the process.
    Signals::IgnoreBrokenPipe();
    close(fds[0]);
    EXPECT_EQ(write(fds[1], "x", 1), -1);
    EXPECT_EQ(errno, EPIPE);
    close(fds[1]);
    signal(SIGPIPE, SIG_DFL);
}
