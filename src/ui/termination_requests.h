#pragma once

#include <QObject>
#include <array>
#include <csignal>

#include "files/signal_sets.h"

namespace zelvar {

// Turns the system's requests to end the program (kEndingSignals) into a signal from the event
// loop, so that the program ends the way it chooses instead of dying half-way. The handler
// only writes the signal's number into a pipe, the one thing that is safe there; the window's
// thread reads it. A signal that was ignored when the program started (nohup, a shell's background
// job) stays ignored. One at a time; the previous handlers come back when it goes.
class TerminationRequests : public QObject {
    Q_OBJECT

  public:
    explicit TerminationRequests(QObject* parent = nullptr);
    ~TerminationRequests() override;
    TerminationRequests(const TerminationRequests&) = delete;
    TerminationRequests& operator=(const TerminationRequests&) = delete;

  signals:
    // `signal` is one of kEndingSignals.
    void received(int signal);

  private:
    void readRequests();

    int pipe_[2] = {-1, -1};
    std::array<struct sigaction, kEndingSignals.size()> previous_{};
};

}  // namespace zelvar
