#pragma once

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
        while (waitReadable(50)) {
            std::uint8_t buffer[512];
            ssize_t count = ::read(master_, buffer, sizeof buffer);
            if (count <= 0)
                break;
            bytes.insert(bytes.end(), buffer, buffer + count);
        }
        return bytes;
    }

    // Reads on a thread of its own, stamping every byte with its arrival time.
    void startReading() {
        reader_ = std::thread([this] {
            while (!stop_) {
                if (!waitReadable(20))
                    continue;
                std::uint8_t buffer[512];
                ssize_t count = ::read(master_, buffer, sizeof buffer);
                if (count <= 0)
                    continue;
                auto now = Clock::now();
                std::lock_guard lock(mutex_);
                for (ssize_t i = 0; i < count; ++i)
                    arrivals_.push_back({now, buffer[i]});
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
    bool waitReadable(int timeoutMs) {
        pollfd fd{master_, POLLIN, 0};
        return ::poll(&fd, 1, timeoutMs) > 0 && (fd.revents & POLLIN);
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
