// Text from outside as the page shows it: hidden characters by their code, as everywhere else.
// Texts cross here as whole strings of any character, whatever else crosses as Latin-1.
#include <emscripten/bind.h>

#include "common/ascii.h"
#include "js_values.h"

namespace zelvar::web {
namespace {

// "NOC\u00ADALL-9" for a soft hyphen, line breaks kept.
val visibleText(const val& text) {
    return messageToJs(escapedControlLines(messageFromJs(text)));
}

// "the field holds an invisible soft hyphen (U+00AD)", or "" for a field that holds none.
val hiddenCharactersNote(const val& text) {
    return messageToJs(hiddenCharactersHeld(messageFromJs(text), TextBytes::Utf8));
}

}  // namespace

EMSCRIPTEN_BINDINGS(zelvar_text) {
    emscripten::function("visibleText", &visibleText);
    emscripten::function("hiddenCharactersNote", &hiddenCharactersNote);
}

}  // namespace zelvar::web
