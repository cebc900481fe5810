#include "app/TerminationWatch.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QWidget>

#include "base/Signals.h"

namespace {

// The signal handler writes, the event loop reads and acts.
int gPipe[2] = {-1, -1};

}  // namespace

TerminationWatch::TerminationWatch(QWidget& window) : window_(window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, gPipe) != 0) return;
    notifier_ = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte;
        while (::read(gPipe[0], &byte, 1) > 0) {
        }
        window_.close();
    });
    Signals::WakePipeOn({SIGTERM, SIGINT, SIGHUP}, gPipe[1]);
}

TerminationWatch::~TerminationWatch() {
    Signals::Restore({SIGTERM, SIGINT, SIGHUP});
    delete notifier_;
    for (int& fd : gPipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}
