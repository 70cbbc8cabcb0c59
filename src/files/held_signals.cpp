#include "files/held_signals.h"

#include <pthread.h>

namespace zelvar {

HeldSignals::HeldSignals(std::initializer_list<int> signals)
    : HeldSignals(std::span<const int>(signals.begin(), signals.size())) {}

HeldSignals::HeldSignals(std::span<const int> signals) {
    sigset_t held;
    sigemptyset(&held);
    for (const int signal : signals)
        sigaddset(&held, signal);
    ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

HeldSignals::~HeldSignals() {
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

}  // namespace zelvar
