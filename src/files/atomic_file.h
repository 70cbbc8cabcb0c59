#pragma once

#include <filesystem>
#include <string_view>

#include "files/file_status.h"

namespace zelvar {

// Writes `bytes` to a temporary file in the target's folder and renames it over `path` once it
// is complete and flushed. On failure the temporary file is removed and `path` is untouched.
FileStatus writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace zelvar
