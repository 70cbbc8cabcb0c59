#include "ui/held_stop.h"

namespace zelvar {
namespace {

volatile std::sig_atomic_t stopAsked = 0;

void onStop(int) {
    stopAsked = 1;
}

}  // namespace

HeldStop::HeldStop() {
    ::sigaction(SIGTSTP, nullptr, &previous_);
    if (previous_.sa_handler == SIG_IGN)
        return;
    stopAsked = 0;
    struct sigaction action {};
    action.sa_handler = onStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    holding_ = ::sigaction(SIGTSTP, &action, nullptr) == 0;
}

HeldStop::~HeldStop() {
    if (!holding_)
        return;
    ::sigaction(SIGTSTP, &previous_, nullptr);
    if (stopAsked != 0)
        std::raise(SIGTSTP);
}

}  // namespace zelvar
