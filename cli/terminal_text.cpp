#include "terminal_text.h"

#include <cstdio>
#include <optional>

#include "common/utf8.h"

namespace zelvar::cli {
namespace {

void appendEscaped(std::string& out, std::string_view bytes) {
    for (char c : bytes) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
        out += escaped;
    }
}

bool acts(char32_t c) {
    return (c < 0x20 && c != '\n' && c != '\t') || (c >= 0x7F && c < 0xA0);
}

}  // namespace

std::string terminalText(std::string_view text) {
    std::string shown;
    while (!text.empty()) {
        std::string_view rest = text;
        const std::optional<char32_t> c = takeUtf8(rest);
        const std::string_view taken =
            c ? text.substr(0, text.size() - rest.size()) : text.substr(0, 1);
        if (!c || acts(*c))
            appendEscaped(shown, taken);
        else
            shown += taken;
        text.remove_prefix(taken.size());
    }
    return shown;
}

}  // namespace zelvar::cli
