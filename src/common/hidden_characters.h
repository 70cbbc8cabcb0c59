#pragma once

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/utf8.h"
#include "text/translation.h"

namespace zelvar {

// Characters that show nothing, or change how the text around them shows, and still reach the
// tracker or the terminal as themselves: the controls, the soft hyphen, zero-width, joining and
// direction-changing characters, fillers, variation selectors and tags (Unicode's controls,
// line and paragraph separators, interlinear annotations and default-ignorable characters).
struct HiddenRange {
    char32_t first;
    char32_t last;
    std::string_view name;
};

inline constexpr std::array kHiddenCharacters = {
    HiddenRange{0x0000, 0x001F, marked("hidden character", "control character")},
    HiddenRange{0x007F, 0x009F, marked("hidden character", "control character")},
    HiddenRange{0x00AD, 0x00AD, marked("hidden character", "soft hyphen")},
    HiddenRange{0x034F, 0x034F, marked("hidden character", "combining grapheme joiner")},
    HiddenRange{0x061C, 0x061C, marked("hidden character", "Arabic letter mark")},
    HiddenRange{0x115F, 0x1160, marked("hidden character", "Hangul filler")},
    HiddenRange{0x17B4, 0x17B5, marked("hidden character", "Khmer inherent vowel")},
    HiddenRange{0x180B, 0x180D, marked("hidden character", "Mongolian variation selector")},
    HiddenRange{0x180E, 0x180E, marked("hidden character", "Mongolian vowel separator")},
    HiddenRange{0x180F, 0x180F, marked("hidden character", "Mongolian variation selector")},
    HiddenRange{0x200B, 0x200B, marked("hidden character", "zero-width space")},
    HiddenRange{0x200C, 0x200C, marked("hidden character", "zero-width non-joiner")},
    HiddenRange{0x200D, 0x200D, marked("hidden character", "zero-width joiner")},
    HiddenRange{0x200E, 0x200E, marked("hidden character", "left-to-right mark")},
    HiddenRange{0x200F, 0x200F, marked("hidden character", "right-to-left mark")},
    HiddenRange{0x2028, 0x2028, marked("hidden character", "line separator")},
    HiddenRange{0x2029, 0x2029, marked("hidden character", "paragraph separator")},
    HiddenRange{0x202A, 0x202A, marked("hidden character", "left-to-right embedding")},
    HiddenRange{0x202B, 0x202B, marked("hidden character", "right-to-left embedding")},
    HiddenRange{0x202C, 0x202C, marked("hidden character", "pop directional formatting")},
    HiddenRange{0x202D, 0x202D, marked("hidden character", "left-to-right override")},
    HiddenRange{0x202E, 0x202E, marked("hidden character", "right-to-left override")},
    HiddenRange{0x2060, 0x2060, marked("hidden character", "word joiner")},
    HiddenRange{0x2061, 0x2064, marked("hidden character", "math operator")},
    HiddenRange{0x2065, 0x2065, marked("hidden character", "format character")},
    HiddenRange{0x2066, 0x2066, marked("hidden character", "left-to-right isolate")},
    HiddenRange{0x2067, 0x2067, marked("hidden character", "right-to-left isolate")},
    HiddenRange{0x2068, 0x2068, marked("hidden character", "first strong isolate")},
    HiddenRange{0x2069, 0x2069, marked("hidden character", "pop directional isolate")},
    HiddenRange{0x206A, 0x206F, marked("hidden character", "format character")},
    HiddenRange{0x3164, 0x3164, marked("hidden character", "Hangul filler")},
    HiddenRange{0xFE00, 0xFE0F, marked("hidden character", "variation selector")},
    HiddenRange{0xFEFF, 0xFEFF, marked("hidden character", "zero-width no-break space")},
    HiddenRange{0xFFA0, 0xFFA0, marked("hidden character", "Hangul filler")},
    HiddenRange{0xFFF0, 0xFFF8, marked("hidden character", "format character")},
    HiddenRange{0xFFF9, 0xFFFB, marked("hidden character", "interlinear annotation character")},
    HiddenRange{0x1BCA0, 0x1BCA3, marked("hidden character", "shorthand format control")},
    HiddenRange{0x1D173, 0x1D17A, marked("hidden character", "musical format control")},
    HiddenRange{0xE0000, 0xE007F, marked("hidden character", "tag character")},
    HiddenRange{0xE0080, 0xE00FF, marked("hidden character", "format character")},
    HiddenRange{0xE0100, 0xE01EF, marked("hidden character", "variation selector")},
    HiddenRange{0xE01F0, 0xE0FFF, marked("hidden character", "format character")},
};

// What a hidden character is called ("soft hyphen"); nothing for a character that shows.
inline std::optional<std::string_view> hiddenCharacterName(char32_t c) {
    const auto* range =
        std::find_if(kHiddenCharacters.begin(), kHiddenCharacters.end(),
                     [c](const HiddenRange& r) { return c >= r.first && c <= r.last; });
    if (range == kHiddenCharacters.end())
        return std::nullopt;
    return range->name;
}

// "U+00AD"
inline std::string codePointName(char32_t c) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
    return name;
}

// The characters of a text, in either form, one at a time: the character and its bytes, or
// nothing for a byte that is no UTF-8.
class TextCharacters {
  public:
    TextCharacters(std::string_view text, TextBytes bytes) : rest_(text), bytes_(bytes) {}

    bool done() const { return rest_.empty(); }

    std::pair<std::optional<char32_t>, std::string_view> next() {
        const std::string_view taken = rest_;
        std::optional<char32_t> c;
        if (bytes_ == TextBytes::Latin1)
            c = static_cast<unsigned char>(rest_.front());
        else
            c = takeUtf8(rest_);
        if (rest_.size() == taken.size())
            rest_.remove_prefix(1);
        return {c, taken.substr(0, taken.size() - rest_.size())};
    }

  private:
    std::string_view rest_;
    TextBytes bytes_;
};

// The hidden characters of a text named for a message, each once in the order they come, or
// nothing when it has none: "an invisible soft hyphen (U+00AD)", "2 invisible soft hyphens
// (U+00AD)", "invisible characters: a soft hyphen (U+00AD) and a right-to-left override
// (U+202E)".
inline std::string hiddenCharactersNamed(std::string_view text, TextBytes bytes) {
    std::vector<std::pair<char32_t, int>> found;
    for (TextCharacters characters(text, bytes); !characters.done();) {
        const std::optional<char32_t> c = characters.next().first;
        if (!c || !hiddenCharacterName(*c))
            continue;
        auto seen = std::find_if(found.begin(), found.end(),
                                 [c](const auto& entry) { return entry.first == *c; });
        if (seen == found.end())
            found.emplace_back(*c, 1);
        else
            ++seen->second;
    }
    // "a soft hyphen (U+00AD)", "an invisible soft hyphen (U+00AD)", "2 soft hyphens (U+00AD)";
    // a or an as the English name begins.
    const auto named = [](char32_t c, int count, bool invisible) {
        const std::string_view name = *hiddenCharacterName(c);
        const std::string_view shown = translated("hidden character", name);
        const std::string code = codePointName(c);
        if (count > 1) {
            return withArguments(invisible ? translated("hidden character", "%1 invisible %2s (%3)")
                                           : translated("hidden character", "%1 %2s (%3)"),
                                 {std::to_string(count), shown, code});
        }
        const bool vowel = std::string_view("AEIOUaeiou").find(name.front()) != std::string::npos;
        return withArguments(invisible ? translated("hidden character", "an invisible %1 (%2)")
                             : vowel   ? translated("hidden character", "an %1 (%2)")
                                       : translated("hidden character", "a %1 (%2)"),
                             {shown, code});
    };
    if (found.empty())
        return {};
    if (found.size() == 1)
        return named(found[0].first, found[0].second, true);
    std::string list;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const std::string next = named(found[i].first, found[i].second, false);
        if (i == 0)
            list = next;
        else if (i + 1 == found.size())
            list = withArguments(translated("hidden character", "%1 and %2"), {list, next});
        else
            list = withArguments(translated("hidden character", "%1, %2"), {list, next});
    }
    return withArguments(translated("hidden character", "invisible characters: %1"), {list});
}

// What a note says of a field whose text holds hidden characters: "the field holds an invisible
// soft hyphen (U+00AD)"; nothing when it holds none.
inline std::string hiddenCharactersHeld(std::string_view text, TextBytes bytes) {
    const std::string named = hiddenCharactersNamed(text, bytes);
    return named.empty()
               ? named
               : withArguments(translated("hidden character", "the field holds %1"), {named});
}

}  // namespace zelvar
