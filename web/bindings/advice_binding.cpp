// APRS practice: the advice on a form and the symbol tables by name.
#include <emscripten/bind.h>

#include "config/advice.h"
#include "config/aprs_symbols.h"
#include "js_values.h"
#include "text/translation.h"

namespace zelvar::web {
namespace {

// { ok, summary, notes: [{ rule, level, field, label, text, line, why }] } for the form as SEND
// would send it, or why the form cannot be read.
val advice(const val& form) {
    const auto settings = settingsFromJs(form);
    if (!settings)
        return refusal(settings.error().reason);
    const std::vector<AdviceNote> notes = adviseOn(*settings);
    val list = val::array();
    for (const AdviceNote& note : notes) {
        val js = val::object();
        js.set("rule", std::string(note.id));
        js.set("level", std::string(adviceLevelName(note.level)));
        js.set("field", std::string(fieldName(note.field)));
        js.set("label", messageToJs(note.label));
        js.set("text", messageToJs(note.text));
        js.set("line", messageToJs(adviceLine(note)));
        js.set("why", messageToJs(note.why));
        list.call<void>("push", js);
    }
    val outcome = success();
    outcome.set("summary", messageToJs(adviceSummary(notes)));
    outcome.set("heading", messageToJs(adviceHeading(notes)));
    outcome.set("notes", list);
    return outcome;
}

// The symbols a search names (the text as typed, any characters): [{ code, alternate, name,
// overlay, shown }], primary table first.
val symbols(const val& search) {
    val list = val::array();
    for (const AprsSymbol& symbol : searchSymbols(messageFromJs(search))) {
        val js = val::object();
        const std::string code(1, symbol.code);
        js.set("code", code);
        js.set("alternate", symbol.table == SymbolTable::Alternate);
        js.set("name", messageToJs(translated("symbol", symbol.name)));
        js.set("overlay", symbol.overlay);
        js.set("shown", messageToJs(describeSymbol(code, symbol.table)));
        list.call<void>("push", js);
    }
    return list;
}

// "> — car, primary table" for the symbol field and the Alternate Table box.
val symbolShown(const val& symbol, bool alternate) {
    const Result<std::string> text = latin1FromJs(symbol);
    return messageToJs(describeSymbol(text ? *text : std::string(),
                                      alternate ? SymbolTable::Alternate : SymbolTable::Primary));
}

}  // namespace

EMSCRIPTEN_BINDINGS(zelvar_advice) {
    emscripten::function("advice", &advice);
    emscripten::function("symbols", &symbols);
    emscripten::function("symbolShown", &symbolShown);
}

}  // namespace zelvar::web
