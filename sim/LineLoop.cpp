#include "sim/LineLoop.h"

#include <errno.h>
#include <poll.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

bool LineLoop::Run(const std::atomic<bool>& stop, const sigset_t& waitMask) {
    const int fd = link_.MasterFd();
    while (!stop) {
        if (HostHasItAll()) return true;
        int timeout = Produce();
        if (device_.Vanishing()) timeout = std::min(timeout, 10);
        pollfd pfd{fd, POLLIN, 0};
        if (rateOk_ && device_.PendingSize() > 0) pfd.events |= POLLOUT;
        timespec ts{timeout / 1000, (timeout % 1000) * 1000000L};
        int ready = ppoll(&pfd, 1, &ts, &waitMask);
        if (ready < 0) {
            if (errno == EINTR) continue;
            std::fprintf(stderr, "velksim: poll: %s\n", strerror(errno));
            return false;
        }
        if (ready == 0) continue;
        if (pfd.revents & POLLIN) Read(fd);
        if ((pfd.revents & POLLOUT) && !Write(fd)) {
            std::fprintf(stderr, "velksim: write: %s\n", strerror(errno));
            return false;
        }
        if ((pfd.revents & (POLLHUP | POLLERR)) && !(pfd.revents & (POLLIN | POLLOUT))) {
            // Cannot happen while the slave is held open; do not spin if it does.
            usleep(10000);
        }
    }
    return true;
}

// A hang-up throws away whatever the host has not read yet, so the device
// goes only once the host's side of the line is empty.
bool LineLoop::HostHasItAll() {
    return device_.Vanishing() && device_.PendingSize() == 0 && !link_.HostHasUnread();
}

int LineLoop::Produce() {
    const int64_t now = DeviceClock::SteadyMs();
    const bool rateNow = link_.HostSpeedIs(speed_);
    if (rateNow != rateOk_) log_(rateNow ? "host line rate matches" : "host line rate differs: silent");
    rateOk_ = rateNow;
    int timeout = 100;  // the rate is looked at again at least this often
    if (rateOk_) {
        int due = device_.Produce(now);
        if (due >= 0 && due < timeout) timeout = due;
    } else {
        device_.DropUnsent();
    }
    return timeout;
}

void LineLoop::Read(int fd) {
    ssize_t n = read(fd, buffer_, sizeof buffer_);
    if (n <= 0) return;
    // At a wrong rate the host's bytes are garbage to us.
    if (link_.HostSpeedIs(speed_)) {
        device_.Receive(buffer_, static_cast<size_t>(n), DeviceClock::SteadyMs());
    } else {
        device_.DropPartialInput();
    }
}

bool LineLoop::Write(int fd) {
    if (!link_.HostSpeedIs(speed_)) {
        device_.DropUnsent();
        return true;
    }
    // What the line takes now.
    while (device_.PendingSize() > 0) {
        ssize_t n = write(fd, device_.PendingData(), device_.PendingSize());
        if (n > 0) {
            device_.Consumed(static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
        return false;
    }
    return true;
}
