// Text from outside as the page shows it: hidden characters by their code, as everywhere else.
// Texts cross here as whole strings of any character (UTF-32), whatever else crosses as Latin-1.
#include <emscripten/bind.h>

#include <string>

#include "common/ascii.h"

namespace zelvar::web {
namespace {

std::string utf8Of(const std::wstring& text) {
    std::string utf8;
    for (wchar_t c : text)
        appendUtf8(utf8, static_cast<char32_t>(c));
    return utf8;
}

std::wstring wideOf(std::string_view utf8) {
    std::wstring text;
    for (TextCharacters characters(utf8, TextBytes::Utf8); !characters.done();)
        text += static_cast<wchar_t>(characters.next().first.value_or(0xFFFD));
    return text;
}

// "NOC\u00ADALL-9" for a soft hyphen, line breaks kept.
std::wstring visibleText(const std::wstring& text) {
    return wideOf(escapedControlLines(utf8Of(text)));
}

// "the field holds an invisible soft hyphen (U+00AD)", or "" for a field that holds none.
std::wstring hiddenCharactersNote(const std::wstring& text) {
    return wideOf(hiddenCharactersHeld(utf8Of(text), TextBytes::Utf8));
}

}  // namespace

EMSCRIPTEN_BINDINGS(zelvar_text) {
    emscripten::function("visibleText", &visibleText);
    emscripten::function("hiddenCharactersNote", &hiddenCharactersNote);
}

}  // namespace zelvar::web
