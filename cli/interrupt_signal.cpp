#include "interrupt_signal.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace zelvar::cli {
namespace {

std::array<int, 2> wakePipe = {-1, -1};

extern "C" void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

InterruptSignal::InterruptSignal() {
    if (::pipe(wakePipe.data()) != 0) {
        wakePipe = {-1, -1};
        return;
    }
    for (int end : wakePipe) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, O_NONBLOCK);
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a wait in progress returns at once.
    ::sigaction(SIGINT, &action, &previousInterrupt_);
    ::sigaction(SIGTERM, &action, &previousTerminate_);
}

InterruptSignal::~InterruptSignal() {
    if (wakePipe[0] < 0)
        return;
    ::sigaction(SIGINT, &previousInterrupt_, nullptr);
    ::sigaction(SIGTERM, &previousTerminate_, nullptr);
    ::close(wakePipe[0]);
    ::close(wakePipe[1]);
    wakePipe = {-1, -1};
}

int InterruptSignal::descriptor() const {
    return wakePipe[0];
}

bool InterruptSignal::raised() const {
    pollfd watched{wakePipe[0], POLLIN, 0};
    return wakePipe[0] >= 0 && ::poll(&watched, 1, 0) > 0;
}

}  // namespace zelvar::cli
