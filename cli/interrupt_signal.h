#pragma once

#include <array>
#include <csignal>

#include "files/signal_sets.h"

namespace zelvar::cli {

// Turns the signals that end a program (kEndingSignals) into a descriptor that becomes readable,
// holding the signal's number, so that a command waiting on a device stops where it can restore
// the line. A signal that was ignored when the program started (nohup, a shell's background job)
// stays ignored. SIGPIPE is ignored meanwhile: a closed output fails the write, which the command
// notices and says. One at a time; the previous handlers come back when it ends.
class InterruptSignal {
  public:
    InterruptSignal();
    ~InterruptSignal();
    InterruptSignal(const InterruptSignal&) = delete;
    InterruptSignal& operator=(const InterruptSignal&) = delete;

    // Readable once a signal came; -1 when no pipe could be made (the signals then end the
    // program as before).
    int descriptor() const;

    // Whether one of the signals came while one was in place.
    static bool received();

  private:
    std::array<struct sigaction, kEndingSignals.size()> previousEnding_{};
    struct sigaction previousPipe_ {};
};

}  // namespace zelvar::cli
