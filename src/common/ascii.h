#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/utf8.h"

namespace zelvar {

// Tests and conversions of the ASCII range only, whatever the locale: the tracker's texts, the
// .cfg files, RTF and the system's device names are read byte by byte.
constexpr bool isAsciiDigit(int c) {
    return c >= '0' && c <= '9';
}
constexpr bool isAsciiUpper(int c) {
    return c >= 'A' && c <= 'Z';
}
constexpr bool isAsciiLower(int c) {
    return c >= 'a' && c <= 'z';
}

// Non-empty and nothing but digits.
constexpr bool isAllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return isAsciiDigit(c); });
}

constexpr char asciiUpper(char c) {
    return isAsciiLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr char asciiLower(char c) {
    return isAsciiUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string asciiLowered(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), asciiLower);
    return lowered;
}

// 0..15 for a hex digit of either case, -1 for anything else.
constexpr int hexDigitValue(char c) {
    if (isAsciiDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A byte as two upper-case hex digits: "A5".
inline std::string hexByte(std::uint8_t byte) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    return {kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

// The text with each control character as \xNN, so that bytes from a file, a device or another
// program cannot move a terminal's cursor or change its colours: C0 and DEL, the C1 controls
// (U+0080..U+009F, which some terminals obey) and any byte that is no UTF-8 (which a Latin-1
// terminal would take for one). Everything else is UTF-8 and passes.
inline std::string escapedControls(std::string_view text, std::string_view kept = {}) {
    std::string shown;
    while (!text.empty()) {
        std::string_view rest = text;
        const std::optional<char32_t> c = takeUtf8(rest);
        const std::size_t length = c ? text.size() - rest.size() : 1;
        const bool control = !c || *c < 0x20 || (*c >= 0x7F && *c < 0xA0);
        if (control && !(length == 1 && kept.find(text.front()) != std::string_view::npos)) {
            for (char byte : text.substr(0, length))
                shown += "\\x" + hexByte(static_cast<std::uint8_t>(byte));
        } else {
            shown += text.substr(0, length);
        }
        text.remove_prefix(length);
    }
    return shown;
}

// The same for text of several lines, which keep their breaks.
inline std::string escapedControlLines(std::string_view text) {
    return escapedControls(text, "\n");
}

}  // namespace zelvar
