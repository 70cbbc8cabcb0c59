#pragma once

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace zelvar::testing {

using Clock = std::chrono::steady_clock;

struct Arrival {
    Clock::time_point time;
    std::uint8_t byte;
};

// A pseudo-terminal: the adapter opens the slave by its path, the test reads the master. The
// test's own slave descriptor keeps the settings readable and the line up when the adapter closes.
class PtyLine {
  public:
    PtyLine() {
        char name[256] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) == 0)
            path_ = name;
    }
    ~PtyLine() {
        stopReading();
        closeMaster();
        ::close(slave_);
    }

    bool ok() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    int slave() const { return slave_; }
    termios settings() const {
        termios t{};
        tcgetattr(slave_, &t);
        return t;
    }
    // The far end goes away: later writes on the slave fail.
    void closeMaster() {
        ::close(master_);
        master_ = -1;
    }

    // Every byte that arrives until 50 ms after stopReading(), with its time.
    void startReading() {
        stop_ = false;
        arrivals_.clear();
        reader_ = std::thread([this] {
            for (pollfd fd{master_, POLLIN, 0}; !stop_;) {
                std::uint8_t buffer[512];
                const ssize_t count =
                    ::poll(&fd, 1, 20) > 0 ? ::read(master_, buffer, sizeof buffer) : 0;
                for (ssize_t i = 0; i < count; ++i)
                    arrivals_.push_back({Clock::now(), buffer[i]});
            }
        });
    }
    std::vector<Arrival> stopReading() {
        if (reader_.joinable()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            stop_ = true;
            reader_.join();
        }
        return arrivals_;
    }
    std::vector<std::uint8_t> readAvailable() {
        startReading();
        std::vector<std::uint8_t> bytes;
        for (const Arrival& arrival : stopReading())
            bytes.push_back(arrival.byte);
        return bytes;
    }

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::thread reader_;
    std::atomic<bool> stop_ = false;
    std::vector<Arrival> arrivals_;
};

}  // namespace zelvar::testing
