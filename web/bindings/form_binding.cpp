// The form's make-up: fields, labels, lists, input rules and the factory defaults.
#include <emscripten/bind.h>

#include "config/input_rules.h"
#include "js_values.h"

namespace zelvar::web {
namespace {

std::string codesOf(const std::bitset<256>& codes) {
    std::string characters;
    for (std::size_t code = 0; code < codes.size(); ++code) {
        if (codes.test(code))
            characters += static_cast<char>(code);
    }
    return characters;
}

val ruleToJs(const InputRule& rule) {
    val js = val::object();
    js.set("maxLength", rule.maxLength);
    js.set("masked", rule.masked);
    js.set("upperCase", rule.upperCase);
    js.set("selectAllOnFocus", rule.selectAllOnFocus);
    js.set("accepted", codesOf(rule.accepted));
    js.set("acceptedGpsless", codesOf(rule.acceptedGpsless));
    return js;
}

template <typename Texts>
val textList(const Texts& texts) {
    val list = val::array();
    for (std::string_view text : texts)
        list.call<void>("push", messageToJs(text));
    return list;
}

// Every field of the record in the record's order: name, label, whether it holds a text, and
// its input rule.
val fields() {
    DeviceSettings probe;
    val list = val::array();
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        val js = val::object();
        js.set("name", std::string(fieldName(field)));
        js.set("label", messageToJs(fieldLabel(field)));
        js.set("text", fieldText(probe, field) != nullptr);
        js.set("rule", ruleToJs(inputRule(field)));
        list.call<void>("push", js);
    }
    return list;
}

// The calculator's fields by name: latitude, longitude, altitude.
val calculatorRules() {
    val rules = val::object();
    rules.set("latitude", ruleToJs(inputRule(CalculatorField::Latitude)));
    rules.set("longitude", ruleToJs(inputRule(CalculatorField::Longitude)));
    rules.set("altitude", ruleToJs(inputRule(CalculatorField::Altitude)));
    return rules;
}

val lists() {
    val js = val::object();
    js.set("micEMessages", textList(kMicEMessages));
    js.set("baudRates", textList(kBaudRates));
    js.set("speedBands", textList(kSpeedBands));
    return js;
}

val defaults() {
    return settingsToJs(defaultSettings());
}

val calculatorDefaults() {
    return calculatorToJs(CalculatorInputs{});
}

// Only the leading digits count, and a character beyond Latin-1 is no digit: the text up to the
// first one answers the same.
bool gpsless(const val& timeout) {
    if (!timeout.isString())
        return isGpslessTimeout({});
    const auto wide = timeout.as<std::wstring>();
    std::string latin1;
    for (const wchar_t c : wide) {
        if (static_cast<std::uint32_t>(c) > 0xFF)
            break;
        latin1 += static_cast<char>(c);
    }
    return isGpslessTimeout(latin1);
}

}  // namespace

EMSCRIPTEN_BINDINGS(zelvar_form) {
    emscripten::function("fields", &fields);
    emscripten::function("calculatorRules", &calculatorRules);
    emscripten::function("lists", &lists);
    emscripten::function("defaults", &defaults);
    emscripten::function("calculatorDefaults", &calculatorDefaults);
    emscripten::function("isGpslessTimeout", &gpsless);
}

}  // namespace zelvar::web
