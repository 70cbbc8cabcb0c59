#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

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

// The text with each control character (below 0x20, and DEL) as \xNN, so that bytes from a
// file or a device cannot move a terminal's cursor or change its colours.
inline std::string escapedControls(std::string_view text) {
    std::string shown;
    for (char c : text) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte < 0x20 || byte == 0x7F)
            shown += "\\x" + hexByte(byte);
        else
            shown += c;
    }
    return shown;
}

}  // namespace zelvar
