#pragma once

#include <filesystem>
#include <string_view>

#include "common/result.h"

namespace zelvar {

// Replaces the file at `path` with `bytes`, or creates it. A symlink is followed to the file it
// leads to, which is replaced and keeps its permissions; anything but a regular file is refused.
// The bytes go into a temporary file beside the target, which is flushed to disk and then renamed
// over it, so a failure at any point leaves the old file as it was.
Result<> writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace zelvar
