#include "files/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <optional>
#include <string>
#include <system_error>

#include "files/atomic_file.h"
#include "files/regular_file.h"
#include "text/translation.h"

namespace zelvar {
namespace {

std::optional<int> descriptorNumber(std::string_view digits) {
    int fd = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), fd);
    if (error != std::errc{} || end != digits.data() + digits.size() || fd < 0)
        return std::nullopt;
    return fd;
}

// The descriptor a path names outright: /dev/stdout, /dev/fd/N, /proc/self/fd/N.
std::optional<int> namedDescriptor(const std::filesystem::path& path) {
    const std::string text = path.lexically_normal().string();
    if (text == "/dev/stdin")
        return STDIN_FILENO;
    if (text == "/dev/stdout")
        return STDOUT_FILENO;
    if (text == "/dev/stderr")
        return STDERR_FILENO;
    const std::string ownFolder = "/proc/" + std::to_string(::getpid()) + "/fd/";
    for (const std::string_view folder :
         {std::string_view("/dev/fd/"), std::string_view("/proc/self/fd/"),
          std::string_view(ownFolder)}) {
        if (std::string_view(text).starts_with(folder))
            return descriptorNumber(std::string_view(text).substr(folder.size()));
    }
    return std::nullopt;
}

// The descriptor that `path` or a link on the way to its file names.
std::optional<int> descriptorOnTheWay(std::filesystem::path path) {
    for (int hop = 0; hop < kMaxSymlinkHops; ++hop) {
        if (std::optional<int> fd = namedDescriptor(path))
            return fd;
        std::error_code ec;
        std::filesystem::path link = std::filesystem::read_symlink(path, ec);
        if (ec)
            return std::nullopt;
        path = path.parent_path() / link;  // an absolute link replaces the whole path
    }
    return std::nullopt;
}

Result<> writeAllTo(int fd, std::string_view bytes, const std::filesystem::path& path) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return failure(describeFileError(path, written < 0 ? errno : EIO));
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return Result<>{};
}

Result<> writeInPlace(const std::filesystem::path& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return failure(describeFileError(path, errno));
    Result<> written = writeAllTo(fd, bytes, path);
    if (::close(fd) != 0 && written)
        return failure(describeFileError(path, errno));
    return written;
}

}  // namespace

Result<> writeOutputFile(const std::filesystem::path& path, std::string_view bytes) {
    if (path.empty())
        return failure(std::string(translated("files", "empty file name")));
    if (std::optional<int> fd = descriptorOnTheWay(path)) {
        if (::fcntl(*fd, F_GETFL) < 0)
            return failure(describeFileError(path, errno));
        return writeAllTo(*fd, bytes, path);
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode)))
        return writeInPlace(path, bytes);
    return writeFileAtomically(path, bytes);
}

}  // namespace zelvar
