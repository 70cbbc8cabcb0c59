#include "ports/suspend_clock.h"

#include <ctime>

namespace zelvar {

SuspendTime readSuspendClock() {
#if defined(CLOCK_BOOTTIME)
    constexpr clockid_t kClock = CLOCK_BOOTTIME;
#else
    constexpr clockid_t kClock = CLOCK_MONOTONIC;
#endif
    timespec reading{};
    clock_gettime(kClock, &reading);
    return SuspendTime{} + std::chrono::seconds(reading.tv_sec) +
           std::chrono::nanoseconds(reading.tv_nsec);
}

}  // namespace zelvar
