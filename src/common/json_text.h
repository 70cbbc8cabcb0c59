#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace zelvar {

// How the bytes above 0x7F of a text are meant.
enum class TextBytes {
    Utf8,    // the system's texts: they pass through
    Latin1,  // the tracker's single-byte texts: each becomes its \u00XX
};

// A JSON string; quotes, backslashes and control characters are escaped.
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
