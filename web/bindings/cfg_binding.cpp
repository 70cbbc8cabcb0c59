// The .cfg files, as text: Save's bytes and Load's reading, the same as the desktop program's.
#include <emscripten/bind.h>

#include <sstream>
#include <string>

#include "cfg/cfg_layout.h"
#include "cfg/cfg_reader.h"
#include "cfg/cfg_writer.h"
#include "js_values.h"

namespace zelvar::web {
namespace {

// { ok, text } with the file's bytes as Latin-1 characters, or the reason Save refuses.
val saveCfg(const val& form, const val& calculator) {
    const auto settings = settingsFromJs(form);
    if (!settings)
        return refusal(settings.error().reason);
    const Result<CalculatorInputs> inputs = calculatorFromJs(calculator);
    if (!inputs)
        return refusal(inputs.error().reason);
    const Result<std::string> text = writeConfigText(*settings, *inputs);
    if (!text)
        return refusal(text.error().reason);
    val outcome = success();
    outcome.set("text", *text);
    return outcome;
}

// Reads a file's bytes (as Latin-1 characters) into the given form and calculator, as Load does:
// { ok, form, calculator, calculatorApplied } and, on failure, the reason naming the item and its
// line. A failed load keeps what it applied before the failing item, as the desktop program's.
val loadCfg(const val& bytes, const val& form, const val& calculator) {
    auto settings = settingsFromJs(form);
    Result<CalculatorInputs> inputs = calculatorFromJs(calculator);
    const Result<std::string> text = latin1FromJs(bytes);
    if (!settings || !inputs || !text) {
        val outcome = refusal(!settings ? settings.error().reason
                              : !inputs ? inputs.error().reason
                                        : text.error().reason);
        outcome.set("form", form);
        outcome.set("calculator", calculator);
        outcome.set("calculatorApplied", false);
        return outcome;
    }
    std::istringstream in(*text);
    const LoadResult loaded = readConfig(in, *settings, *inputs);
    val outcome = loaded ? success() : refusal(loaded.error().reason);
    outcome.set("form", settingsToJs(*settings));
    outcome.set("calculator", calculatorToJs(*inputs));
    outcome.set("calculatorApplied", calculatorApplied(loaded));
    return outcome;
}

// How much of a file Load reads at most: the reader never looks further.
double cfgReadLimit() {
    return static_cast<double>(maxCfgReadBytes());
}

}  // namespace

EMSCRIPTEN_BINDINGS(zelvar_cfg) {
    emscripten::function("saveCfg", &saveCfg);
    emscripten::function("loadCfg", &loadCfg);
    emscripten::function("cfgReadLimit", &cfgReadLimit);
}

}  // namespace zelvar::web
