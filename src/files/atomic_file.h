#pragma once

#include <filesystem>
#include <string_view>

#include "common/result.h"

namespace zelvar {

// Replaces the file at `path` with `bytes`, or creates it. A symlink is followed to the file it
// leads to, which is replaced and keeps its permissions, owner and group; a read-only file (for
// root too) and anything but a regular file are refused. The bytes go into a temporary file
// beside the target, private until complete, which is flushed to disk and then renamed over it,
// so a failure at any point leaves the old file as it was. Hard links to the old file keep the
// old content.
Result<> writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace zelvar
