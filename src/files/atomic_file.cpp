#include "files/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <memory>
#include <optional>
#include <random>
#include <system_error>

#include "files/signal_sets.h"
#include "files/held_signals.h"
#include "files/regular_file.h"
#include "text/system_error.h"
#include "text/translation.h"

namespace zelvar {
namespace {

// Temporary files are named by the saving process, short whatever the target's name, so that a
// name of the longest legal length can be saved; a later save removes what a killed one left.
constexpr std::string_view kTemporaryPrefix = ".zelvar-save-";

struct Replaced {
    mode_t mode;  // permission bits
    uid_t owner;
    gid_t group;
};

struct SaveTarget {
    std::filesystem::path file;
    std::optional<Replaced> replaced;  // the file it replaces, if there is one
};

std::filesystem::path folderOf(const std::filesystem::path& file) {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::absolute(file, ec).parent_path();
    return ec ? file.parent_path() : folder;
}

// `what` has "%1" for the folder, "%2" for the system's words.
std::string folderError(std::string_view what, const std::filesystem::path& file, int error) {
    return withArguments(what, {folderOf(file).string(), systemErrorText(error)});
}

// The permission bits let no one write: refused even where root could write all the same.
bool readOnly(const struct stat& info) {
    return (info.st_mode & 0222) == 0;
}

// The file a save replaces: the end of any chain of symlinks, which must be a regular file or
// not exist yet (a dangling symlink names the file to create). Messages name the chosen path.
Result<> findSaveTarget(const std::filesystem::path& chosen, SaveTarget& target) {
    std::filesystem::path current = chosen;
    for (int hop = 0; hop < kMaxSymlinkHops; ++hop) {
        struct stat info {};
        if (::stat(current.c_str(), &info) == 0) {
            if (!S_ISREG(info.st_mode))
                return failure(chosen.string() + ": " + notRegularReason(info.st_mode));
            if (::access(current.c_str(), W_OK) != 0)
                return failure(describeFileError(chosen, errno));
            if (readOnly(info))
                return failure(withArguments(translated("files", "%1: the file is read-only"),
                                             {chosen.string()}));
            std::error_code ec;
            target = {std::filesystem::canonical(current, ec),
                      Replaced{info.st_mode & 07777, info.st_uid, info.st_gid}};
            return ec ? failure(describeFileError(chosen, ec.value())) : Result<>{};
        }
        if (errno != ENOENT)
            return failure(describeFileError(chosen, errno));
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            target = {current, std::nullopt};
            return Result<>{};
        }
        std::error_code ec;
        std::filesystem::path link = std::filesystem::read_symlink(current, ec);
        if (ec)
            return failure(describeFileError(chosen, ec.value()));
        current = current.parent_path() / link;  // an absolute link replaces the whole path
    }
    return failure(describeFileError(chosen, ELOOP));
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes the rename itself durable. The new file is already in place when this runs, so a folder
// that cannot be flushed does not turn the save into a failure.
void flushFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The process that wrote a temporary file, from its name; 0 when the name is not one of ours.
pid_t writerOf(std::string_view name) {
    if (!name.starts_with(kTemporaryPrefix))
        return 0;
    name.remove_prefix(kTemporaryPrefix.size());
    pid_t pid = 0;
    for (char c : name.substr(0, name.find('-'))) {
        if (c < '0' || c > '9' || pid > 99999999)
            return 0;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

// Removes the temporary files of saves whose process has gone (killed before its rename).
void removeAbandonedTemporaries(const std::filesystem::path& folder) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                            &::closedir);
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir.get())) {
        const pid_t pid = writerOf(entry->d_name);
        if (pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH)
            ::unlinkat(::dirfd(dir.get()), entry->d_name, 0);
    }
}

std::filesystem::path temporaryName(const std::filesystem::path& target) {
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string name = std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-";
    for (int i = 0; i < 6; ++i)
        name += kLetters[random() % kLetters.size()];
    return target.parent_path() / name;
}

// The replaced file's owner, group and permissions on the new one. A save by root leaves the
// file its owner's; where the owner cannot be given, the group at least is kept if it can be.
bool takeOver(int fd, const Replaced& replaced) {
    struct stat info {};
    if (::fstat(fd, &info) == 0 &&
        (info.st_uid != replaced.owner || info.st_gid != replaced.group)) {
        if (::fchown(fd, replaced.owner, replaced.group) != 0)
            ::fchown(fd, static_cast<uid_t>(-1), replaced.group);
    }
    // After the owner: a change of owner clears the set-ID bits.
    return ::fchmod(fd, replaced.mode) == 0;
}

}  // namespace

Result<> writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    SaveTarget target;
    if (Result<> found = findSaveTarget(path, target); !found)
        return found;
    removeAbandonedTemporaries(target.file.parent_path());
    // Ctrl+C or SIGTERM now would leave the temporary file behind: it comes once the save is done.
    const HeldSignals ending{kEndingSignals};

    const std::filesystem::path temporary = temporaryName(target.file);
    // Private until it is complete when it replaces a file, whose permissions come later. O_EXCL
    // refuses to reuse a name that happens to exist.
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          target.replaced ? 0600 : 0666);
    if (fd < 0)
        return failure(
            folderError(translated("files", "cannot create a file in %1: %2"), target.file, errno));

    bool written = writeAll(fd, bytes) && (!target.replaced || takeOver(fd, *target.replaced)) &&
                   ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return failure(describeFileError(path, error));
    }
    if (::rename(temporary.c_str(), target.file.c_str()) != 0) {
        error = errno;
        ::unlink(temporary.c_str());
        return failure(folderError(translated("files", "cannot replace a file in %1: %2"),
                                   target.file, error));
    }
    flushFolder(target.file.parent_path());
    return Result<>{};
}

}  // namespace zelvar
