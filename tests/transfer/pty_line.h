#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace zelvar::testing {

using Clock = std::chrono::steady_clock;

// Bytes as they arrived at the far end, each with the time it was read.
struct Arrival {
    Clock::time_point time;
    std::uint8_t byte;
};

// A pseudo-terminal made by the test: the adapter opens the slave by its path, the test reads
// what arrives on the master. The test keeps a slave descriptor too, so the line's settings can
// be read and nothing is lost when the adapter closes its end.
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
        if (slave_ >= 0)
            ::close(slave_);
    }
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    bool ok() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    int slave() const { return slave_; }

    termios settings() const {
        termios t{};
        tcgetattr(slave_, &t);
        return t;
    }

    // Everything readable now, without waiting for more.
    std::vector<std::uint8_t> readAvailable() {
        std::vector<std::uint8_t> bytes;
        for (auto chunk = readSome(50); !chunk.empty(); chunk = readSome(50))
            bytes.insert(bytes.end(), chunk.begin(), chunk.end());
        return bytes;
    }

    // Reads on a thread of its own, stamping every byte with its arrival time.
    void startReading() {
        reader_ = std::thread([this] {
            while (!stop_) {
                const std::vector<std::uint8_t> chunk = readSome(20);
                const auto now = Clock::now();
                std::lock_guard lock(mutex_);
                for (std::uint8_t byte : chunk)
                    arrivals_.push_back({now, byte});
            }
        });
    }

    std::vector<Arrival> stopReading() {
        if (reader_.joinable()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            stop_ = true;
            reader_.join();
        }
        std::lock_guard lock(mutex_);
        return arrivals_;
    }

    // The far end goes away: later writes on the slave fail.
    void closeMaster() {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

  private:
    // What arrives within `timeoutMs`, in one read; nothing when nothing came.
    std::vector<std::uint8_t> readSome(int timeoutMs) {
        pollfd fd{master_, POLLIN, 0};
        if (::poll(&fd, 1, timeoutMs) <= 0 || !(fd.revents & POLLIN))
            return {};
        std::uint8_t buffer[512];
        const ssize_t count = ::read(master_, buffer, sizeof buffer);
        return {buffer, buffer + std::max<ssize_t>(count, 0)};
    }

    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::thread reader_;
    std::atomic<bool> stop_ = false;
    std::mutex mutex_;
    std::vector<Arrival> arrivals_;
};

}  // namespace zelvar::testing
