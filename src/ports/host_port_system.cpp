#include "ports/host_port_system.h"
#include "text/system_error.h"
#include "text/translation.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

namespace zelvar {
namespace {

// Udev rules, /proc entries and lock files are far smaller; anything larger is not one of them.
constexpr std::size_t kMaxText = 1 << 20;

// Room for the passwd and group entries' strings.
constexpr std::size_t kEntryBuffer = 1 << 16;

struct FileCloser {
    int fd;
    ~FileCloser() { ::close(fd); }
};

}  // namespace

HostPortSystem::HostPortSystem(const std::string& root) {
    if (root.empty())
        return;
    // Resolved, so that what realPath() finds below it can be given back without the root.
    char resolved[PATH_MAX];
    root_ = ::realpath(root.c_str(), resolved) ? resolved : root;
    if (root_ == "/")
        root_.clear();
}

std::optional<PathStatus> HostPortSystem::status(const std::string& path) const {
    struct stat info {};
    if (::stat(rooted(path).c_str(), &info) != 0)
        return std::nullopt;
    return PathStatus{S_ISCHR(info.st_mode),
                      static_cast<std::uint32_t>(info.st_mode & 0777),
                      info.st_uid,
                      info.st_gid,
                      major(info.st_rdev),
                      minor(info.st_rdev),
                      major(info.st_dev),
                      minor(info.st_dev),
                      info.st_ino};
}

std::string HostPortSystem::statusFailure(const std::string& path) const {
    struct stat info {};
    if (::stat(rooted(path).c_str(), &info) == 0 || errno == ENOENT || errno == ENOTDIR)
        return {};
    return systemErrorText(errno);
}

std::vector<std::string> HostPortSystem::entries(const std::string& folder) const {
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(rooted(folder).c_str()), &::closedir);
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir.get())) {
        std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(std::move(name));
    }
    std::ranges::sort(names);
    return names;
}

std::optional<std::string> HostPortSystem::linkTarget(const std::string& path) const {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(rooted(path).c_str(), target, sizeof target);
    if (length < 0 || static_cast<std::size_t>(length) == sizeof target)
        return std::nullopt;
    return std::string(target, static_cast<std::size_t>(length));
}

std::optional<std::string> HostPortSystem::realPath(const std::string& path) const {
    char resolved[PATH_MAX];
    if (!::realpath(rooted(path).c_str(), resolved))
        return std::nullopt;
    std::string result = resolved;
    if (!root_.empty() && result.starts_with(root_ + "/"))
        result.erase(0, root_.size());
    return result;
}

std::optional<std::string> HostPortSystem::text(const std::string& path) const {
    // Non-blocking, so that a FIFO put where a file was expected cannot stop the doctor.
    const int fd = ::open(rooted(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    FileCloser closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    std::string content;
    char buffer[8192];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            return content;
        content.append(buffer, static_cast<std::size_t>(count));
        if (content.size() > kMaxText)
            return std::nullopt;
    }
}

ProcessIdentity HostPortSystem::identity() const {
    ProcessIdentity user;
    user.uid = ::geteuid();
    user.pid = ::getpid();
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(kEntryBuffer);
    if (::getpwuid_r(user.uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        user.userName = found->pw_name;
    else
        user.userName = std::to_string(user.uid);
    user.groups.push_back(::getegid());
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(count, 0)));
    if (count > 0 && ::getgroups(count, groups.data()) == count)
        user.groups.insert(user.groups.end(), groups.begin(), groups.end());
    return user;
}

std::optional<std::string> HostPortSystem::groupName(std::uint32_t gid) const {
    group entry{};
    group* found = nullptr;
    std::vector<char> buffer(kEntryBuffer);
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return std::nullopt;
    return std::string(found->gr_name);
}

std::optional<std::uint32_t> HostPortSystem::groupId(const std::string& name) const {
    group entry{};
    group* found = nullptr;
    std::vector<char> buffer(kEntryBuffer);
    if (::getgrnam_r(name.c_str(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return std::nullopt;
    return found->gr_gid;
}

std::vector<std::uint32_t> HostPortSystem::databaseGroups(const ProcessIdentity& user) const {
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(kEntryBuffer);
    if (::getpwnam_r(user.userName.c_str(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        !found)
        return {};
    int count = 64;
    std::vector<gid_t> groups;
    for (;;) {
        groups.resize(static_cast<std::size_t>(count));
        const int wanted = count;
        if (::getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) >= 0)
            break;
        if (count <= wanted)  // no larger count given: give up rather than loop
            return {};
    }
    return {groups.begin(), groups.begin() + count};
}

OpenAttempt HostPortSystem::tryOpen(const std::string& path) const {
    const int fd = ::open(rooted(path).c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        // SEND sets the line up: /dev/null and friends open, but take no line settings.
        termios line{};
        const bool terminal = ::tcgetattr(fd, &line) == 0;
        const int error = errno;
        // A program that keeps the device to itself by a lock (receive) keeps SEND off it, root's
        // too.
        const bool locked = terminal && ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        ::close(fd);
        if (!terminal)
            return {OpenOutcome::NotTerminal, systemErrorText(error)};
        if (locked)
            return {OpenOutcome::Busy,
                    std::string(translated("serial port", "another program holds a lock on it"))};
        return {OpenOutcome::Opened, {}};
    }
    const int error = errno;
    OpenOutcome outcome = OpenOutcome::Failed;
    if (error == EACCES || error == EPERM)
        outcome = OpenOutcome::Refused;
    else if (error == EBUSY)
        outcome = OpenOutcome::Busy;
    else if (error == ENOENT || error == ENXIO || error == ENODEV)
        outcome = OpenOutcome::Missing;
    return {outcome, systemErrorText(error)};
}

}  // namespace zelvar
