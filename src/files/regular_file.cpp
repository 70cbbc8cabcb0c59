#include "files/regular_file.h"
#include "text/system_error.h"
#include "text/translation.h"

#include <sys/stat.h>

#include <cerrno>

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

Result<> checkRegularFile(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return failure(describeFileError(path, errno));
    if (!S_ISREG(info.st_mode))
        return failure(path.string() + ": " + notRegularReason(info.st_mode));
    return Result<>{};
}

}  // namespace zelvar
