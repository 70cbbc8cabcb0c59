#pragma once

#include "transfer/transfer_plan.h"

namespace zelvar {

// This computer's suspend clock, for the runners of a send: CLOCK_BOOTTIME on Linux, where
// LineClock (CLOCK_MONOTONIC) stops while the computer is suspended; CLOCK_MONOTONIC elsewhere,
// which on macOS goes on while it sleeps.
SuspendTime readSuspendClock();

}  // namespace zelvar
