// Text from outside as the page shows it: hidden characters by their code, as everywhere else.
// Texts cross here as whole strings of any character, whatever else crosses as Latin-1.
#include <emscripten/bind.h>

#include <memory>

#include "common/ascii.h"
#include "config/shown_texts.h"
#include "js_values.h"
#include "text/text_catalogue.h"

namespace zelvar::web {
namespace {

// "NOC\u00ADALL-9" for a soft hyphen, line breaks kept.
val visibleText(const val& text) {
    return messageToJs(escapedControlLines(messageFromJs(text)));
}

// A reason of the core as a sentence of its own: 'Invalid latitude "x".'
val sentence(const val& reason) {
    return messageToJs(asSentence(messageFromJs(reason)));
}

// "the field holds an invisible soft hyphen (U+00AD)", or "" for a field that holds none.
val hiddenCharactersNote(const val& text) {
    return messageToJs(hiddenCharactersHeld(messageFromJs(text), TextBytes::Utf8));
}

std::vector<std::string> formsOf(const val& value) {
    std::vector<std::string> forms;
    if (value.isString()) {
        forms.push_back(messageFromJs(value));
        return forms;
    }
    const auto count = value["length"].as<unsigned>();
    for (unsigned i = 0; i < count; ++i)
        forms.push_back(messageFromJs(value[i]));
    return forms;
}

// The page's language: the catalogue of its JSON ({plural, texts}: each text's forms by
// "context\u0004source"), or the program's own texts for null.
void useCatalogue(const val& catalogue) {
    if (catalogue.isNull() || catalogue.isUndefined()) {
        installCatalogue(nullptr);
        return;
    }
    const std::string plural = messageFromJs(catalogue["plural"]);
    const PluralRule rule = plural == "n > 1" ? PluralRule::MoreThanOne
                            : plural == "0"   ? PluralRule::None
                                              : PluralRule::NotOne;
    TextCatalogue::Texts texts;
    const val entries = val::global("Object").call<val>("entries", catalogue["texts"]);
    const auto count = entries["length"].as<unsigned>();
    for (unsigned i = 0; i < count; ++i) {
        const val entry = entries[i];
        texts.emplace(messageFromJs(entry[0]), formsOf(entry[1]));
    }
    installCatalogue(std::make_unique<TextCatalogue>(rule, std::move(texts)));
}

}  // namespace

EMSCRIPTEN_BINDINGS(zelvar_text) {
    emscripten::function("useCatalogue", &useCatalogue);
    emscripten::function("visibleText", &visibleText);
    emscripten::function("sentence", &sentence);
    emscripten::function("hiddenCharactersNote", &hiddenCharactersNote);
}

}  // namespace zelvar::web
