#include "cfg/cfg_encoding.h"

#include <cstdio>
#include <optional>

#include "common/ascii.h"
#include "common/hidden_characters.h"
#include "common/utf8.h"
#include "text/translation.h"

namespace zelvar {
namespace {

unsigned byteAt(std::string_view text, std::size_t i) {
    return i < text.size() ? static_cast<unsigned char>(text[i]) : 0x100;
}

std::string hexNumber(const char* format, unsigned value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

Failure wideEncoding(const char* name) {
    return Failure{withArguments(
        translated("cfg reader", "the file is %1; save it as Latin-1 or UTF-8"), {name})};
}

// A word processor's or a browser's file, which a .cfg never is: it starts with a quoted item or
// a number, never with "{\rtf" or a tag.
std::optional<Failure> notPlainText(std::string_view text) {
    if (text.starts_with("{\\rtf"))
        return Failure{std::string(translated(
            "cfg reader", "the file is rich text (RTF); save the settings as plain text"))};
    if (text.size() >= 2 && text[0] == '<' &&
        (text[1] == '!' || text[1] == '?' || isAsciiUpper(asciiUpper(text[1]))))
        return Failure{std::string(translated(
            "cfg reader", "the file is a web page or other markup (HTML, XML), not a .cfg"))};
    return std::nullopt;
}

}  // namespace

Result<CfgEncodingMark> detectCfgEncoding(std::string_view head) {
    if (head.empty())
        return tl::unexpected(Failure{std::string(translated("cfg reader", "the file is empty"))});
    const std::size_t markBytes = head.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0;
    if (std::optional<Failure> markup = notPlainText(head.substr(markBytes)))
        return tl::unexpected(std::move(*markup));
    if (markBytes > 0)
        return CfgEncodingMark{CfgEncoding::Utf8, markBytes};
    if (head.starts_with(std::string_view("\0\0\xFE\xFF", 4)) ||
        head.starts_with(std::string_view("\xFF\xFE\0\0", 4)))
        return tl::unexpected(wideEncoding("UTF-32"));
    if (head.starts_with("\xFE\xFF") || head.starts_with("\xFF\xFE"))
        return tl::unexpected(wideEncoding("UTF-16"));
    // Without a mark: a file's first character, printable ASCII as every .cfg starts, with zero
    // bytes beside it is one of a wide encoding's characters.
    const auto printable = [&head](std::size_t i) { return head[i] >= 0x20 && head[i] < 0x7F; };
    const auto zero = [&head](std::size_t from, std::size_t to) {
        return head.substr(from, to - from).find_first_not_of('\0') == std::string_view::npos;
    };
    if (head.size() >= 4 && ((zero(0, 3) && printable(3)) || (printable(0) && zero(1, 4))))
        return tl::unexpected(wideEncoding("UTF-32"));
    if (head.size() >= 2 && ((zero(0, 1) && printable(1)) || (printable(0) && zero(1, 2))))
        return tl::unexpected(wideEncoding("UTF-16"));
    return CfgEncodingMark{};
}

Result<std::string> cfgTextToLatin1(std::string_view bytes, CfgEncoding encoding) {
    if (encoding == CfgEncoding::Latin1)
        return std::string(bytes);
    std::string latin1;
    std::string_view rest = bytes;
    while (!rest.empty()) {
        const std::optional<char32_t> c = takeUtf8(rest);
        if (!c) {
            return failure(withArguments(
                translated("cfg reader",
                           "the byte %1 is no UTF-8, although the file starts with the UTF-8 mark"),
                {hexNumber("0x%02X", byteAt(rest, 0))}));
        }
        if (*c > 0xFF) {
            // An invisible or direction-changing character is named, not shown.
            std::string character;
            const std::optional<std::string_view> hidden = hiddenCharacterName(*c);
            if (!hidden)
                appendUtf8(character, *c);
            return failure(withArguments(
                hidden
                    ? translated(
                          "cfg reader",
                          "the invisible %1 (%2) is not in Latin-1, the tracker's character set")
                    : translated(
                          "cfg reader",
                          "the character %1 (%2) is not in Latin-1, the tracker's character set"),
                {hidden ? translated("hidden character", *hidden) : character, codePointName(*c)}));
        }
        latin1 += static_cast<char>(*c);
    }
    return latin1;
}

std::string latin1ToUtf8(std::string_view latin1) {
    std::string utf8;
    for (char c : latin1)
        appendUtf8(utf8, static_cast<unsigned char>(c));
    return utf8;
}

}  // namespace zelvar
