#pragma once

#include <csignal>

namespace zelvar::cli {

// Turns Ctrl+C (SIGINT) and SIGTERM into a descriptor that becomes readable, so that a command
// waiting on a device stops where it can clean up. One at a time; the previous handlers come
// back when it ends.
class InterruptSignal {
  public:
    InterruptSignal();
    ~InterruptSignal();
    InterruptSignal(const InterruptSignal&) = delete;
    InterruptSignal& operator=(const InterruptSignal&) = delete;

    // Readable once a signal came; -1 when no pipe could be made (the signals then end the
    // program as before).
    int descriptor() const;

  private:
    struct sigaction previousInterrupt_ {};
    struct sigaction previousTerminate_ {};
};

}  // namespace zelvar::cli
