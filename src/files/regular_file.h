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

// At most `limit` bytes from the start of `path`, symlinks followed, when it is a regular file.
// The open never waits (a FIFO without a writer, or one put in the file's place by whoever owns
// the folder, would block it), and the type is asked of what was opened.
Result<std::string> readRegularFile(const std::filesystem::path& path, std::size_t limit);

}  // namespace zelvar
