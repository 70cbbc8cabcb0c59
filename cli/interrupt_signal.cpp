#include "interrupt_signal.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace zelvar::cli {
namespace {

std::array<int, 2> interruptWakePipe = {-1, -1};

extern "C" void onInterruptSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(interruptWakePipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

InterruptSignal::InterruptSignal() {
    if (::pipe(interruptWakePipe.data()) != 0) {
        interruptWakePipe = {-1, -1};
        return;
    }
    for (int end : interruptWakePipe) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, O_NONBLOCK);
    }
    struct sigaction action {};
    action.sa_handler = onInterruptSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a wait in progress returns at once.
    ::sigaction(SIGINT, &action, &previousInterrupt_);
    ::sigaction(SIGTERM, &action, &previousTerminate_);
}

InterruptSignal::~InterruptSignal() {
    if (interruptWakePipe[0] < 0)
        return;
    ::sigaction(SIGINT, &previousInterrupt_, nullptr);
    ::sigaction(SIGTERM, &previousTerminate_, nullptr);
    ::close(interruptWakePipe[0]);
    ::close(interruptWakePipe[1]);
    interruptWakePipe = {-1, -1};
}

int InterruptSignal::descriptor() const {
    return interruptWakePipe[0];
}

}  // namespace zelvar::cli
