#pragma once

#include <csignal>

namespace zelvar::cli {

// Holds Ctrl+Z (SIGTSTP) and a background job's stops at the terminal (SIGTTIN, SIGTTOU) while a
// transfer is on the line: stopped between the blocks and let go later, block 2 would come too
// late for the tracker, and the send would still say "Data sent !". A stop asked for meanwhile
// comes once the port is closed again.
class DeferredStops {
  public:
    DeferredStops();
    ~DeferredStops();
    DeferredStops(const DeferredStops&) = delete;
    DeferredStops& operator=(const DeferredStops&) = delete;

  private:
    sigset_t previous_{};
};

}  // namespace zelvar::cli
