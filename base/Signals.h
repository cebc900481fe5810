#pragma once
// The signals that end a run (SIGINT, SIGTERM, SIGHUP), turned into what the
// run's loop looks at: a stop flag, or a byte on a pipe that an event loop
// watches. Handlers are process-wide, so there is one flag and one pipe per
// process.
#include <signal.h>

#include <atomic>
#include <initializer_list>

class Signals {
public:
    // Each signal in numbers sets flag, which must outlive the handler. A
    // blocking call it interrupts fails with EINTR, so the loop sees the flag
    // at once.
    static void StopFlagOn(std::initializer_list<int> numbers, std::atomic<bool>& flag);
    // Each signal in numbers writes a byte to fd, which should not block (a
    // full pipe already says enough); interrupted calls restart.
    static void WakePipeOn(std::initializer_list<int> numbers, int fd);
    // The default action again.
    static void Restore(std::initializer_list<int> numbers);
    // Writing to a pipe or socket nobody reads fails with EPIPE instead of
    // ending the process.
    static void IgnoreBrokenPipe();
    // Blocks the signals in numbers and returns the mask to wait with
    // (ppoll), the only place they are then delivered: none slips in between
    // the loop's look at its flag and the wait.
    static sigset_t DeliverOnlyInWait(std::initializer_list<int> numbers);
};
