#include "ports/serial_receiver.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <set>
#include <utility>

#include "ports/host_port_system.h"
#include "ports/port_holders.h"
#include "ports/session_processes.h"
#include "text/system_error.h"
#include "text/translation.h"

namespace zelvar {
namespace {

std::optional<speed_t> speedOf(int baud) {
    switch (baud) {
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 38400:
            return B38400;
        default:
            return std::nullopt;
    }
}

std::string systemWords() {
    return systemErrorText(errno);
}

// A running program's lock file that names the device, as the port doctor reads them. A lock
// that names PID 1 or this session's own programs holds nothing: it was left or put there.
std::optional<std::string> lockHolder(const std::string& path) {
    const HostPortSystem system;
    std::vector<std::string> paths = {path};
    if (std::optional<std::string> real = system.realPath(path); real && *real != path)
        paths.push_back(*real);
    const ProcessIdentity user = system.identity();
    const std::set<int> kept = sessionProcesses(system, user.pid);
    std::vector<LockFile> held = lockFiles(system, paths, user);
    std::erase_if(held,
                  [&](const LockFile& lock) { return !lock.running || kept.contains(lock.pid); });
    const std::vector<Finding> findings = lockFindings(system, held, path, {}, kept, false);
    if (findings.empty())
        return std::nullopt;
    return findings.front().text;
}

}  // namespace

Result<SerialReceiver> SerialReceiver::open(const std::string& path, int baud,
                                            LineSharing sharing) {
    const std::optional<speed_t> speed = speedOf(baud);
    if (!speed)
        return failure(
            withArguments(translated("serial port", "Unsupported speed %1: 4800, 9600 or 38400"),
                          {std::to_string(baud)}));
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return failure(
            withArguments(translated("serial port", "Cannot open %1: %2"), {path, systemWords()}));
    SerialReceiver receiver(descriptor, true);
    termios settings{};
    if (::tcgetattr(descriptor, &settings) != 0)
        return failure(withArguments(translated("serial port", "%1 is not a serial device: %2"),
                                     {path, systemWords()}));
    receiver.saved_ = settings;
    // Receive keeps the device to itself, SEND included; loopback only looks that no one holds
    // it, since its own send locks it next.
    const int lock = sharing == LineSharing::Exclusive ? LOCK_EX : LOCK_SH;
    if (::flock(descriptor, lock | LOCK_NB) != 0)
        return failure(withArguments(
            translated("serial port", "%1 is in use: another program holds a lock on it"), {path}));
    if (sharing == LineSharing::Shared)
        ::flock(descriptor, LOCK_UN);
    if (std::optional<std::string> holder = lockHolder(path))
        return failure(
            withArguments(translated("serial port", "%1 is in use: %2"), {path, *holder}));
    if (sharing == LineSharing::Exclusive) {
        if (::ioctl(descriptor, TIOCEXCL) != 0)
            return failure(
                withArguments(translated("serial port", "Cannot keep %1 to ourselves: %2"),
                              {path, systemWords()}));
        receiver.exclusive_ = true;
    }

    ::cfmakeraw(&settings);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    if (::cfsetispeed(&settings, *speed) != 0 || ::cfsetospeed(&settings, *speed) != 0 ||
        ::tcsetattr(descriptor, TCSANOW, &settings) != 0)
        return failure(withArguments(translated("serial port", "Cannot set %1 to %2: %3"),
                                     {path, std::to_string(baud) + ",n,8,1", systemWords()}));
    ::tcflush(descriptor, TCIFLUSH);
    return receiver;
}

SerialReceiver SerialReceiver::borrow(int descriptor) {
    return {descriptor, false};
}

SerialReceiver::SerialReceiver(SerialReceiver&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)),
      owned_(std::exchange(other.owned_, false)),
      exclusive_(other.exclusive_),
      saved_(std::exchange(other.saved_, std::nullopt)) {}

SerialReceiver::~SerialReceiver() {
    if (!owned_ || descriptor_ < 0)
        return;
    if (exclusive_)
        ::ioctl(descriptor_, TIOCNXCL);
    if (saved_)
        ::tcsetattr(descriptor_, TCSANOW, &*saved_);
    ::close(descriptor_);
}

ReceiveEvent SerialReceiver::next(TransferCheck& check, LineTime until, int wake) {
    for (;;) {
        const LineTime now = LineClock::now();
        if (std::optional<TransferReport> report = check.advance(now))
            return {ReceiveStop::Judged, std::move(report), {}};
        if (now >= until)
            return {ReceiveStop::TimedOut, std::nullopt, {}};

        // Rounded up, so that the deadline has passed when the wait ends.
        const LineTime wakeAt = std::min(until, check.deadline().value_or(until));
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(wakeAt - now).count();
        std::array<pollfd, 2> watched = {pollfd{descriptor_, POLLIN, 0}, pollfd{wake, POLLIN, 0}};
        const int ready = ::poll(watched.data(), wake >= 0 ? 2 : 1,
                                 static_cast<int>(std::clamp<long long>(wait, 0, 60'000)));
        if (ready < 0 && errno != EINTR)
            return {ReceiveStop::LineGone,
                    check.finish(now, translated("transfer check", "the line failed")),
                    systemWords()};
        if (ready <= 0)
            continue;
        if (wake >= 0 && watched[1].revents != 0)
            return {ReceiveStop::Woken,
                    check.finish(now, translated("transfer check", "receiving stopped")),
                    {}};
        if (watched[0].revents == 0)
            continue;

        std::array<std::uint8_t, 4096> buffer{};
        const ssize_t count = ::read(descriptor_, buffer.data(), buffer.size());
        const int readError = count < 0 ? errno : 0;
        const LineTime readAt = LineClock::now();
        if (count > 0) {
            std::optional<TransferReport> report =
                check.receive(std::span(buffer.data(), static_cast<std::size_t>(count)), readAt);
            if (report)
                return {ReceiveStop::Judged, std::move(report), {}};
            continue;
        }
        // A raw line reads nothing when another reader was quicker; a line that hung up or
        // failed says so in the poll as well.
        const bool broken = (watched[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
        const bool retry = readError == 0 || readError == EAGAIN || readError == EINTR;
        if (retry && !broken)
            continue;
        std::string reason = retry ? std::string(translated("serial port", "the line hung up"))
                                   : systemErrorText(readError);
        return {ReceiveStop::LineGone,
                check.finish(readAt, translated("transfer check", "the line closed")),
                std::move(reason)};
    }
}

}  // namespace zelvar
