#include "files/regular_file.h"
#include "text/system_error.h"
#include "text/translation.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace zelvar {

std::string describeFileError(const std::filesystem::path& path, int error) {
    return path.string() + ": " + systemErrorText(error);
}

std::string notRegularReason(mode_t mode) {
    if (S_ISDIR(mode))
        return systemErrorText(EISDIR);
    return std::string(
        S_ISFIFO(mode)                   ? translated("files", "Is a FIFO, not a regular file")
        : S_ISCHR(mode) || S_ISBLK(mode) ? translated("files", "Is a device, not a regular file")
        : S_ISSOCK(mode)                 ? translated("files", "Is a socket, not a regular file")
                         : translated("files", "Is something else, not a regular file"));
}

Result<std::string> readRegularFile(const std::filesystem::path& path, std::size_t limit) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return failure(describeFileError(path, errno));
    auto closed = [descriptor](Result<std::string> result) {
        ::close(descriptor);
        return result;
    };
    struct stat info {};
    if (::fstat(descriptor, &info) != 0)
        return closed(failure(describeFileError(path, errno)));
    if (!S_ISREG(info.st_mode))
        return closed(failure(path.string() + ": " + notRegularReason(info.st_mode)));
    std::string data(limit, '\0');
    std::size_t got = 0;
    while (got < limit) {
        const ssize_t n = ::read(descriptor, data.data() + got, limit - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return closed(failure(describeFileError(path, errno)));
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    data.resize(got);
    return closed(std::move(data));
}

}  // namespace zelvar
