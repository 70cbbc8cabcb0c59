#include "terminal_columns.h"

#include "common/utf8.h"

namespace zelvar::cli {

bool isWideCharacter(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

std::size_t terminalColumns(std::string_view text) {
    std::size_t columns = 0;
    while (!text.empty()) {
        const std::optional<char32_t> c = takeUtf8(text);
        if (!c) {
            text.remove_prefix(1);  // a stray byte shows as one replacement character
            ++columns;
            continue;
        }
        if (*c < 0x300 || *c > 0x36F)  // combining accents take no column of their own
            columns += isWideCharacter(*c) ? 2 : 1;
    }
    return columns;
}

}  // namespace zelvar::cli
