#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <random>
#include <system_error>

#include "files/regular_file.h"

namespace zelvar {
namespace {

// As many symlinks in a row as the system itself follows before giving up.
constexpr int kMaxSymlinkHops = 40;

struct SaveTarget {
    std::filesystem::path file;
    std::optional<mode_t> mode;  // the permissions of the file it replaces
};

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
            std::error_code ec;
            target = {std::filesystem::canonical(current, ec), info.st_mode & 07777};
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

}  // namespace

Result<> writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    SaveTarget target;
    if (Result<> found = findSaveTarget(path, target); !found)
        return found;

    std::random_device random;
    std::filesystem::path temporary = target.file;
    temporary += ".tmp" + std::to_string(random() % 1000000);
    // O_EXCL refuses to reuse a name that happens to exist.
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return failure(describeFileError(path, errno));

    bool written = writeAll(fd, bytes) && (!target.mode || ::fchmod(fd, *target.mode) == 0) &&
                   ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && ::rename(temporary.c_str(), target.file.c_str()) != 0) {
        written = false;
        error = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return failure(describeFileError(path, error));
    }
    flushFolder(target.file.parent_path());
    return Result<>{};
}

}  // namespace zelvar
