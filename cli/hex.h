#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelvar::cli {

std::string toHex(std::string_view bytes);

// Hex digits (either case) with any whitespace between them, back into bytes; nothing when
// anything else is in the text or a digit is left over.
std::optional<std::string> fromHex(std::string_view text);

}  // namespace zelvar::cli
