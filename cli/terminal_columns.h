#pragma once

#include <cstddef>
#include <string_view>

namespace zelvar::cli {

// How many terminal columns UTF-8 text takes: one per character, two for the wide characters of
// East Asian scripts, so that tables and wrapped lines line up in every language.
std::size_t terminalColumns(std::string_view text);

// Whether a terminal gives the character two columns (Chinese, Japanese, Korean).
bool isWideCharacter(char32_t c);

}  // namespace zelvar::cli
