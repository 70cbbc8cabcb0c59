#pragma once

#include <csignal>

namespace zelvar {

// Holds Ctrl+Z (SIGTSTP from the terminal the window was started from) while it lives: stopped
// between the blocks of a send and let go later, block 2 would come too late for the tracker, and
// the window would still say "Data sent !". A stop asked for meanwhile comes when it goes. A
// handler rather than a signal mask, which would hold it for one thread only, while the window
// has others. A stop ignored when the program started stays ignored. One at a time.
class HeldStop {
  public:
    HeldStop();
    ~HeldStop();
    HeldStop(const HeldStop&) = delete;
    HeldStop& operator=(const HeldStop&) = delete;

  private:
    struct sigaction previous_ {};
    bool holding_ = false;
};

}  // namespace zelvar
