#include "deferred_stops.h"

#include <pthread.h>

namespace zelvar::cli {

DeferredStops::DeferredStops() {
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGTSTP);
    sigaddset(&stops, SIGTTIN);
    sigaddset(&stops, SIGTTOU);
    ::pthread_sigmask(SIG_BLOCK, &stops, &previous_);
}

DeferredStops::~DeferredStops() {
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

}  // namespace zelvar::cli
