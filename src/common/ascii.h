#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/hidden_characters.h"
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

// East Asian input methods type ASCII in its full-width forms ("２００", "ＤＬ１") unless switched
// off: they stand for the ASCII characters (U+FF01..U+FF5E, the ideographic space U+3000). A
// Japanese one gives "、" and "。" for the comma and the point keys (their half-width forms too):
// dropped, "WIDE1-1、WIDE2-2" became one entry and "123。5" metres 1235.
constexpr char32_t asciiOfFullWidth(char32_t c) {
    constexpr char32_t kFullWidthFirst = 0xFF01;
    constexpr char32_t kFullWidthLast = 0xFF5E;
    constexpr char32_t kFullWidthOffset = 0xFEE0;
    if (c >= kFullWidthFirst && c <= kFullWidthLast)
        return c - kFullWidthOffset;
    switch (c) {
        case 0x3000:  // ideographic space
            return U' ';
        case 0x3001:  // ideographic comma
        case 0xFF64:  // its half-width form
            return U',';
        case 0x3002:  // ideographic full stop
        case 0xFF61:  // its half-width form
            return U'.';
        default:
            return c;
    }
}

// What is typed for a number, a callsign or a path: the forms above, and the long-vowel mark "ー"
// (half-width "ｰ") that a Japanese input method types for the minus key, as the minus. Dropped,
// "ー１１。５" went in as 11.5, the other side of the world, and "ＷＩＤＥ１ー１" as WIDE11. Names
// in katakana hold the mark, so a search by name keeps it.
constexpr char32_t asciiOfTyped(char32_t c) {
    return c == 0x30FC || c == 0xFF70 ? U'-' : asciiOfFullWidth(c);
}

// A UTF-8 text with each character as `narrow` gives it; bytes that are no UTF-8 stay as they are.
template <char32_t (*narrow)(char32_t)>
std::string narrowedText(std::string_view text) {
    std::string narrowed;
    while (!text.empty()) {
        if (const std::optional<char32_t> c = takeUtf8(text)) {
            appendUtf8(narrowed, narrow(*c));
        } else {
            narrowed += text.front();
            text.remove_prefix(1);
        }
    }
    return narrowed;
}

inline std::string asciiOfFullWidth(std::string_view text) {
    return narrowedText<asciiOfFullWidth>(text);
}

inline std::string asciiOfTyped(std::string_view text) {
    return narrowedText<asciiOfTyped>(text);
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

// A byte as a reader of the wire names it: "0xA5".
inline std::string hexNamed(std::uint8_t byte) {
    return "0x" + hexByte(byte);
}

// The text with every hidden character (common/hidden_characters.h) made visible, so that text
// from a file, a device or another program can neither hide what it holds nor move a terminal's
// cursor, change its colours or turn the rest of a line around: C0 controls and DEL as \x1B, the
// others by their code, \u00AD, \u202E (\u{E0001} beyond 16 bits), and a byte that is no UTF-8
// as \x9B. Characters that show pass unchanged, and so does what this function wrote: the
// escapes are printable ASCII. Latin-1 text stays Latin-1. `kept` names the one-byte
// characters that pass anyway ("\n" for text of several lines).
inline std::string escapedControls(std::string_view text, std::string_view kept = {},
                                   TextBytes bytes = TextBytes::Utf8) {
    std::string shown;
    for (TextCharacters characters(text, bytes); !characters.done();) {
        const auto [c, taken] = characters.next();
        if (c && (!hiddenCharacterName(*c) ||
                  (taken.size() == 1 && kept.find(taken.front()) != std::string_view::npos))) {
            shown += taken;
        } else if (!c || *c < 0x20 || *c == 0x7F) {
            for (char byte : taken)
                shown += "\\x" + hexByte(static_cast<std::uint8_t>(byte));
        } else {
            const std::string code = codePointName(*c).substr(2);
            shown += *c > 0xFFFF ? "\\u{" + code + "}" : "\\u" + code;
        }
    }
    return shown;
}

// The same for text of several lines, which keep their breaks.
inline std::string escapedControlLines(std::string_view text) {
    return escapedControls(text, "\n");
}

}  // namespace zelvar
