#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "common/utf8.h"

namespace zelvar {

// A JSON string; quotes, backslashes and control characters are escaped. The system's UTF-8
// passes through; each Latin-1 byte above 0x7F becomes its \u00XX.
inline std::string jsonString(std::string_view text, TextBytes high = TextBytes::Utf8) {
    std::string json = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20 || byte == 0x7F || (byte > 0x7F && high == TextBytes::Latin1)) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

}  // namespace zelvar
