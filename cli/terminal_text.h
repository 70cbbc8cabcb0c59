#pragma once

#include <string>
#include <string_view>

namespace zelvar::cli {

// Text from outside (process names, device details, file contents) made safe for a terminal:
// control characters, C1 controls and bytes that are no UTF-8 show as \xNN instead of acting.
// Line breaks and tabs stay.
std::string terminalText(std::string_view text);

}  // namespace zelvar::cli
