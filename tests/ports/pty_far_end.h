#pragma once

#include <pthread.h>
#include <pty.h>
#include <sched.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <optional>
#include <string>

#include "ports/serial_receiver.h"

namespace zelvar::testing {

// A pseudo-terminal whose master plays the tracker, judging as `zelvar-cli receive` does. Its own
// slave descriptor keeps the settings readable and the line up when the adapter closes.
class PtyFarEnd {
  public:
    PtyFarEnd() {
        char name[256] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) == 0 && ::pipe(wake_) == 0)
            path_ = name;
    }
    ~PtyFarEnd() {
        closeMaster();
        ::close(slave_);
        ::close(wake_[0]);
        ::close(wake_[1]);
    }

    bool ok() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    int master() const { return master_; }
    termios settings() const {
        termios t{};
        tcgetattr(slave_, &t);
        return t;
    }

    // Reads on its own thread until a transfer is judged or `patience` has passed, however long
    // the line stays quiet: a busy machine may hold the sender back at any point.
    void listen(std::chrono::milliseconds patience = std::chrono::seconds(5)) {
        stopListening();
        reader_ = std::async(std::launch::async, [this, until = LineClock::now() + patience] {
            // The tracker has a processor of its own: where the system allows it (as root), the
            // reader runs first when bytes come, so that a busy machine does not shorten the
            // pauses it measures by reading block 1 late.
            const sched_param first{.sched_priority = 1};
            pthread_setschedparam(pthread_self(), SCHED_FIFO, &first);
            TransferCheck check;
            ReceiveEvent event = SerialReceiver::borrow(master_).next(check, until, wake_[0]);
            return event.report ? event.report : check.finish(LineClock::now(), "time ran out");
        });
    }
    // The first transfer judged within `limit`, else what arrived so far, judged now; nothing
    // when nothing arrived. Ends the listening.
    std::optional<TransferReport> transfer(
        std::chrono::milliseconds limit = std::chrono::seconds(6)) {
        if (reader_.valid() && reader_.wait_for(limit) == std::future_status::ready)
            return reader_.get();
        return stopListening();
    }
    // The far end goes away: later writes on the slave fail.
    void closeMaster() {
        stopListening();
        ::close(master_);
        master_ = -1;
    }

  private:
    // Wakes the reader, if any, and returns what it judged.
    std::optional<TransferReport> stopListening() {
        if (!reader_.valid())
            return std::nullopt;
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(wake_[1], &byte, 1);
        std::optional<TransferReport> report = reader_.get();
        char drained = 0;
        [[maybe_unused]] const ssize_t read = ::read(wake_[0], &drained, 1);
        return report;
    }

    int master_ = -1;
    int slave_ = -1;
    int wake_[2] = {-1, -1};
    std::string path_;
    std::future<std::optional<TransferReport>> reader_;
};

}  // namespace zelvar::testing
