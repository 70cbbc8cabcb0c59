// The form's make-up from the field table: fields, labels, lists, input rules, places, groups,
// buttons, the shown texts and the factory defaults.
#include <emscripten/bind.h>

#include "cfg/cfg_layout.h"
#include "config/fields.h"
#include "config/input_rules.h"
#include "config/shown_texts.h"
#include "js_values.h"
#include "text/translation.h"
#include "transfer/transfer_plan.h"

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
    js.set("decimalComma", rule.decimalComma);
    return js;
}

template <typename Texts>
val textList(const Texts& texts) {
    val list = val::array();
    for (std::string_view text : texts)
        list.call<void>("push", messageToJs(text));
    return list;
}

std::string_view inputName(Input kind) {
    switch (kind) {
        case Input::Digits:
            return "digits";
        case Input::Text:
            return "text";
        case Input::Symbol:
            return "symbol";
        case Input::Flag:
            return "flag";
        case Input::Choice:
            break;
    }
    return "choice";
}

std::string_view labelPlaceName(LabelPlace place) {
    switch (place) {
        case LabelPlace::Beside:
            return "beside";
        case LabelPlace::Above:
            return "above";
        case LabelPlace::None:
            break;
    }
    return "none";
}

std::string_view counterPlaceName(CounterPlace place) {
    switch (place) {
        case CounterPlace::None:
            return "none";
        case CounterPlace::Below:
            return "below";
        case CounterPlace::Beside:
            break;
    }
    return "beside";
}

// Where the form shows the field, and the words around it.
val placeToJs(const FieldRow& row) {
    const FormPlace& form = row.form;
    val js = val::object();
    js.set("group", std::string(formGroupInfo(form.group).name));
    js.set("line", form.line);
    js.set("pushed", form.pushed);
    js.set("gpsOnly", form.gpsOnly);
    js.set("label", std::string(labelPlaceName(form.label)));
    js.set("width", form.width);
    js.set("counter", std::string(counterPlaceName(form.counter)));
    js.set("noteBelow", form.noteBelow);
    js.set("bold", form.bold);
    return js;
}

val textsToJs(const FieldRow& row) {
    val js = val::object();
    js.set("shownLabel", messageToJs(translated(kFieldLabelContext, row.texts.shownLabel.empty()
                                                                        ? row.label
                                                                        : row.texts.shownLabel)));
    js.set("caption", messageToJs(translated(kFieldCaptionContext, row.texts.caption)));
    js.set("spokenName", messageToJs(row.texts.spokenName.empty()
                                         ? translated(kFieldLabelContext, row.label)
                                         : translated(kFieldSpokenContext, row.texts.spokenName)));
    js.set("unit", messageToJs(translated(kFieldUnitContext, row.texts.unit)));
    js.set("spokenUnit", messageToJs(translated(kFieldSpokenContext, row.texts.spokenUnit)));
    js.set("hint", messageToJs(translated(kFieldHintContext, row.texts.hint)));
    return js;
}

// Every field as the form shows it, in the field table's order: its name, label, control and
// input rule, its list's entries, where the form places it and its words.
val fields() {
    val list = val::array();
    for (const FieldRow& row : fieldRows()) {
        val js = val::object();
        js.set("name", std::string(row.name));
        js.set("label", messageToJs(translated(kFieldLabelContext, row.label)));
        js.set("input", std::string(inputName(row.input.kind)));
        js.set("text", row.value.number == nullptr);
        js.set("rule", ruleToJs(inputRule(row.field)));
        js.set("choices", textList(row.choices));
        js.set("place", placeToJs(row));
        js.set("texts", textsToJs(row));
        list.call<void>("push", js);
    }
    return list;
}

// The form's groups in the order they are shown.
val groups() {
    val list = val::array();
    for (const FormGroupInfo& group : formGroups()) {
        val js = val::object();
        js.set("name", std::string(group.name));
        js.set("caption", messageToJs(translated(kFormGroupContext, group.caption)));
        js.set("parent", std::string(formGroupInfo(group.parent).name));
        js.set("column", group.column);
        js.set("table", group.table);
        list.call<void>("push", js);
    }
    return list;
}

// The buttons among the fields.
val actions() {
    val list = val::array();
    for (const FormActionInfo& action : formActions()) {
        val js = val::object();
        js.set("name", std::string(action.name));
        js.set("caption", messageToJs(translated(kFormButtonContext, action.caption)));
        js.set("group", std::string(formGroupInfo(action.group).name));
        js.set("line", action.line);
        js.set("pushed", action.pushed);
        js.set("gpslessOnly", action.gpslessOnly);
        js.set("shortcut", std::string(action.shortcut));
        list.call<void>("push", js);
    }
    return list;
}

// The shown texts by their keys.
val texts() {
    val js = val::object();
    for (const ShownTextEntry& entry : shownTexts())
        js.set(std::string(entry.key), messageToJs(shownText(entry.id)));
    js.set("partlySent", messageToJs(translated("send", kPartlySentMessage)));
    js.set("heldUpAdvice", messageToJs(translated("send", kHeldUpAdvice)));
    js.set("lateWrite", messageToJs(translated("serial port", kLateWrite)));
    js.set("cfgDefaultName", messageToJs(kCfgDefaultName));
    return js;
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
    val bands = val::array();
    for (std::string_view band : kSpeedBands)
        bands.call<void>("push", messageToJs(translated(kFieldLabelContext, band)));
    js.set("speedBands", bands);
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

// "[33]" and "at most 38 characters, 33 characters left" for a field that takes 38.
val counter(double most, double left) {
    val js = val::object();
    js.set("shown", messageToJs(counterShown(static_cast<long>(left))));
    js.set("spoken",
           messageToJs(counterSpoken(static_cast<std::size_t>(most), static_cast<long>(left))));
    return js;
}

}  // namespace

EMSCRIPTEN_BINDINGS(zelvar_form) {
    emscripten::function("fields", &fields);
    emscripten::function("groups", &groups);
    emscripten::function("actions", &actions);
    emscripten::function("texts", &texts);
    emscripten::function("counter", &counter);
    emscripten::function("calculatorRules", &calculatorRules);
    emscripten::function("lists", &lists);
    emscripten::function("defaults", &defaults);
    emscripten::function("calculatorDefaults", &calculatorDefaults);
    emscripten::function("isGpslessTimeout", &gpsless);
}

}  // namespace zelvar::web
