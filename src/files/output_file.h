#pragma once

#include <filesystem>
#include <string_view>

#include "common/result.h"

namespace zelvar {

// Writes `bytes` where a command's output option points. A regular file (or a new one) is
// replaced atomically, as Save does. What is no file to replace is written in place: a name for
// one of this process's open descriptors (/dev/stdout, /dev/fd/2) is written through that
// descriptor, so a shell's `>> log` keeps appending; a character device, a terminal or a named
// pipe is opened and written without truncating anything. Anything else is refused.
Result<> writeOutputFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace zelvar
