#pragma once

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <future>
#include <optional>
#include <string>

#include "transfer/transfer_check.h"

namespace zelvar::testing {

// A pseudo-terminal whose master end is the tracker: what the code under test writes on the
// slave is judged by the transfer checker, each read with the time it arrived. The test's own
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
    int slave() const { return slave_; }
    termios settings() const {
        termios t{};
        tcgetattr(slave_, &t);
        return t;
    }

    // Starts reading on a thread of its own until a whole transfer's bytes have come or
    // `patience` has passed, however long the line stays quiet in between: a busy machine may
    // hold the sender back at any point.
    void listen(std::chrono::milliseconds patience = std::chrono::seconds(5)) {
        stopListening();
        reader_ = std::async(std::launch::async, [this, until = LineClock::now() + patience] {
            return readTransfer(until);
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
    // The first transfer the checker judges, else what came by `until`, judged then.
    std::optional<TransferReport> readTransfer(LineTime until) {
        TransferCheck check;
        std::size_t count = 0;
        LineTime lastRead = LineClock::now();
        for (LineTime now = lastRead; count < kWireSize && now < until; now = LineClock::now()) {
            std::array<pollfd, 2> watched = {pollfd{master_, POLLIN, 0},
                                             pollfd{wake_[0], POLLIN, 0}};
            const auto wait = std::chrono::ceil<std::chrono::milliseconds>(until - now);
            if (::poll(watched.data(), watched.size(), static_cast<int>(wait.count())) <= 0)
                continue;
            if (watched[1].revents != 0)
                break;
            std::array<std::uint8_t, 4096> buffer{};
            const ssize_t got = ::read(master_, buffer.data(), buffer.size());
            if (got <= 0)
                break;
            lastRead = LineClock::now();
            count += static_cast<std::size_t>(got);
            if (auto report = check.receive(std::span(buffer.data(), std::size_t(got)), lastRead))
                return report;
        }
        return check.finish(lastRead, "reading stopped");
    }
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
