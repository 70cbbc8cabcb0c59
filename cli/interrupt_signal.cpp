#include "interrupt_signal.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace zelvar::cli {
namespace {

std::array<int, 2> interruptWakePipe = {-1, -1};
volatile std::sig_atomic_t interruptReceived = 0;

extern "C" void onInterruptSignal(int signal) {
    const int saved = errno;
    interruptReceived = 1;
    const char number = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(interruptWakePipe[1], &number, 1);
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
    // No SA_RESTART: a wait or a write in progress returns at once.
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
        ::sigaction(kEndingSignals[i], nullptr, &previousEnding_[i]);
        if (previousEnding_[i].sa_handler != SIG_IGN)
            ::sigaction(kEndingSignals[i], &action, nullptr);
    }
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGPIPE, &ignore, &previousPipe_);
}

InterruptSignal::~InterruptSignal() {
    if (interruptWakePipe[0] < 0)
        return;
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i)
        ::sigaction(kEndingSignals[i], &previousEnding_[i], nullptr);
    ::sigaction(SIGPIPE, &previousPipe_, nullptr);
    ::close(interruptWakePipe[0]);
    ::close(interruptWakePipe[1]);
    interruptWakePipe = {-1, -1};
}

int InterruptSignal::descriptor() const {
    return interruptWakePipe[0];
}

bool InterruptSignal::received() {
    return interruptReceived != 0;
}

}  // namespace zelvar::cli
