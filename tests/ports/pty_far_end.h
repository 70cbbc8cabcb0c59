#pragma once

#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "ports/serial_receiver.h"

namespace zelvar::testing {

// A pseudo-terminal whose master end is the tracker: what the code under test writes on the
// slave is judged by the transfer checker, read as `zelvar-cli receive` reads a line. The
// test's own slave descriptor keeps the settings readable and the line up when the adapter
// closes.
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
    int slave() const { return slave_; }
    termios settings() const {
        termios t{};
        tcgetattr(slave_, &t);
        return t;
    }

    // Starts judging what arrives, on a thread of its own, until the first transfer is judged.
    void listen() {
        stopListening();
        report_.reset();
        judged_ = false;
        listener_ = std::thread([this] {
            TransferCheck check;
            SerialReceiver line = SerialReceiver::borrow(master_);
            ReceiveEvent event = line.next(check, LineTime::max(), wake_[0]);
            const std::lock_guard lock(mutex_);
            report_ = std::move(event.report);
            judged_ = true;
            done_.notify_all();
        });
    }
    // The first transfer judged within `limit`, else what arrived so far, judged now; nothing
    // when nothing arrived. Ends the listening.
    std::optional<TransferReport> transfer(
        std::chrono::milliseconds limit = std::chrono::seconds(6)) {
        {
            std::unique_lock lock(mutex_);
            done_.wait_for(lock, limit, [this] { return judged_; });
        }
        stopListening();
        return std::move(report_);
    }
    // The far end goes away: later writes on the slave fail.
    void closeMaster() {
        stopListening();
        ::close(master_);
        master_ = -1;
    }

  private:
    void stopListening() {
        if (!listener_.joinable())
            return;
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(wake_[1], &byte, 1);
        listener_.join();
        char drained = 0;
        [[maybe_unused]] const ssize_t read = ::read(wake_[0], &drained, 1);
    }

    int master_ = -1;
    int slave_ = -1;
    int wake_[2] = {-1, -1};
    std::string path_;
    std::thread listener_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool judged_ = false;
    std::optional<TransferReport> report_;
};

}  // namespace zelvar::testing
