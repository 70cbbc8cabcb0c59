#pragma once

#include <array>
#include <csignal>

namespace zelvar {

// The signals that end a program by default and that people and systems send to end it: Ctrl+C,
// SIGTERM at logout, shutdown or `kill`, SIGHUP when the terminal goes, SIGQUIT for Ctrl+\, and
// the user and alarm signals a script or a supervisor may send. Each is turned into an end that
// restores the serial line or finishes the save first.
inline constexpr std::array kEndingSignals = {SIGINT,  SIGTERM, SIGHUP, SIGQUIT,
                                              SIGUSR1, SIGUSR2, SIGALRM};

// The signals that stop a program from its terminal: Ctrl+Z, and a background job's read or write
// there. A send holds them: stopped between the blocks and let go later, block 2 would come too
// late for the tracker.
inline constexpr std::array kStopSignals = {SIGTSTP, SIGTTIN, SIGTTOU};

}  // namespace zelvar
