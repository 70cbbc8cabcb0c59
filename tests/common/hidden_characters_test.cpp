#include "common/hidden_characters.h"

#include <gtest/gtest.h>

#include "cfg/cfg_encoding.h"
#include "common/ascii.h"

namespace zelvar {
namespace {

// Every character of the planes that hold hidden ones (0, 1 and 14): escaped, a text holds
// nothing hidden and nothing that is not printable ASCII but the characters that show; a second
// pass changes nothing; Latin-1 and UTF-8 agree.
TEST(HiddenCharacters, AreShownEscapedAndNothingElseIs) {
    for (char32_t c = 0; c <= 0xE0FFF; c = c == 0x1FFFF ? 0xE0000 : c + 1) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        std::string text = "a";
        appendUtf8(text, c);
        const std::string shown = escapedControls(text);
        ASSERT_EQ(escapedControls(shown), shown) << codePointName(c);
        if (!hiddenCharacterName(c)) {
            ASSERT_EQ(shown, text) << codePointName(c);
            continue;
        }
        ASSERT_TRUE(shown.starts_with("a\\")) << codePointName(c);
        for (char byte : shown)
            ASSERT_TRUE(byte >= 0x20 && byte < 0x7F) << codePointName(c) << ": " << shown;
        if (c <= 0xFF) {
            const std::string latin1 = {'a', static_cast<char>(c)};
            ASSERT_EQ(escapedControls(latin1, {}, TextBytes::Latin1), shown) << codePointName(c);
        }
    }
    const std::pair<std::string, std::string> examples[] = {
        {"NOC\xC2\xAD"
         "ALL-9",
         "NOC\\u00ADALL-9"},
        {"\x1B[31mred\x7F", "\\x1B[31mred\\x7F"},
        {"abc\xE2\x80\xAE"
         "fdp.cfg",
         "abc\\u202Efdp.cfg"},
        {"tag\xF3\xA0\x80\x81", "tag\\u{E0001}"},
        {"\x9B\xE0\x80 caf\xC3\xA9", "\\x9B\\xE0\\x80 caf\xC3\xA9"},
        {"line\nbreak\ttab", "line\\x0Abreak\\x09tab"},
    };
    for (const auto& [text, shown] : examples)
        EXPECT_EQ(escapedControls(text), shown);
    EXPECT_EQ(escapedControlLines("one\ntwo\r"), "one\ntwo\\x0D");
    EXPECT_EQ(escapedControls("N\xAD\xE9\x85", {}, TextBytes::Latin1), "N\\u00AD\xE9\\u0085");
}

// In Latin-1, as a loaded .cfg holds them: SendPreview.AnnotatesTheBytesSendWrites....
TEST(HiddenCharacters, AreNamedOnceEachInTheOrderTheyCome) {
    const std::pair<std::string, std::string> examples[] = {
        {"NOCALL-9", ""},
        {"NOC\xC2\xAD"
         "ALL-9",
         "an invisible soft hyphen (U+00AD)"},
        {"\xC2\xAD\xC2\xAD", "2 invisible soft hyphens (U+00AD)"},
        // A name that says what the character is, not again that it shows nothing.
        {"A\xE2\x81\xA2"
         "B",
         "an invisible math operator (U+2062)"},
        {"\xE2\x80\xAE"
         "a\xC2\xAD"
         "b\xE2\x80\xAE\xE2\x80\x8B",
         "invisible characters: 2 right-to-left overrides (U+202E), a soft hyphen (U+00AD) and "
         "a zero-width space (U+200B)"},
        {"\xD8\x9C\x1B",
         "invisible characters: an Arabic letter mark (U+061C) and a control "
         "character (U+001B)"},
    };
    for (const auto& [text, named] : examples) {
        EXPECT_EQ(hiddenCharactersNamed(text, TextBytes::Utf8), named);
        EXPECT_EQ(hiddenCharactersNamed(escapedControls(text), TextBytes::Utf8), "");
    }
    EXPECT_EQ(hiddenCharactersNamed(latin1ToUtf8("\xE9\xA0\xFF"), TextBytes::Utf8), "");
}

}  // namespace
}  // namespace zelvar
