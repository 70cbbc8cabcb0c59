#pragma once

#include <csignal>
#include <initializer_list>
#include <span>

namespace zelvar {

// Holds signals for the calling thread while it lives, so that a step that must not be cut in two
// (a save between its temporary file and the rename, a transfer between its blocks) runs to its
// end; a signal that came meanwhile takes effect once it ends.
class HeldSignals {
  public:
    explicit HeldSignals(std::initializer_list<int> signals);
    explicit HeldSignals(std::span<const int> signals);
    ~HeldSignals();
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

  private:
    sigset_t previous_{};
};

}  // namespace zelvar
