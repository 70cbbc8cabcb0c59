#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

#include "common/result.h"

namespace zelvar {

// As many symlinks in a row as the system itself follows before giving up.
inline constexpr int kMaxSymlinkHops = 40;

// "PATH: reason", the form of every file failure the user sees; `error` is an errno value.
std::string describeFileError(const std::filesystem::path& path, int error);

// Why a file of type `mode` (from stat) is no settings file: "Is a directory", "Is a FIFO, not
// a regular file", ...
std::string notRegularReason(mode_t mode);

// Success when `path`, symlinks followed, is a regular file. Asked before the file is opened, so
// that a FIFO without a writer or a device never blocks the reader.
Result<> checkRegularFile(const std::filesystem::path& path);

}  // namespace zelvar
