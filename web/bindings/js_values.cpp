#include "js_values.h"

namespace zelvar::web {
namespace {

std::string textMember(const val& object, std::string_view name) {
    const val member = object[std::string(name)];
    return member.isString() ? member.as<std::string>() : std::string();
}

int numberMember(const val& object, std::string_view name) {
    const val member = object[std::string(name)];
    return member.isNumber() ? member.as<int>() : 0;
}

// The record's flags and list indexes, which the form keeps as numbers.
int* numberOf(DeviceSettings& s, Field field) {
    switch (field) {
        case Field::AltTable:
            return &s.altTable;
        case Field::MicEMsg:
            return &s.micEMsg;
        case Field::RxPosition:
            return &s.rxPosition;
        case Field::Baud300:
            return &s.baud300;
        case Field::AutoReply:
            return &s.autoReply;
        case Field::BaudRate:
            return &s.baudRate;
        default:
            return nullptr;
    }
}

}  // namespace

val settingsToJs(const DeviceSettings& settings) {
    DeviceSettings s = settings;
    val form = val::object();
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        const std::string name(fieldName(field));
        if (const std::string* text = fieldText(s, field))
            form.set(name, *text);
        else
            form.set(name, *numberOf(s, field));
    }
    return form;
}

DeviceSettings settingsFromJs(const val& form) {
    DeviceSettings s;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        if (std::string* text = fieldText(s, field))
            *text = textMember(form, fieldName(field));
        else
            *numberOf(s, field) = numberMember(form, fieldName(field));
    }
    return s;
}

val calculatorToJs(const CalculatorInputs& c) {
    val inputs = val::object();
    inputs.set("latitude", c.latitude);
    inputs.set("longitude", c.longitude);
    inputs.set("centChecked", c.centChecked);
    inputs.set("altitude", c.altitude);
    inputs.set("altitudeChecked", c.altitudeChecked);
    inputs.set("normalForm", c.normalForm);
    return inputs;
}

CalculatorInputs calculatorFromJs(const val& inputs) {
    CalculatorInputs c;
    c.latitude = textMember(inputs, "latitude");
    c.longitude = textMember(inputs, "longitude");
    c.centChecked = numberMember(inputs, "centChecked");
    c.altitude = textMember(inputs, "altitude");
    c.altitudeChecked = numberMember(inputs, "altitudeChecked");
    c.normalForm = inputs["normalForm"].isTrue();
    return c;
}

val buildOutcome(const BuildResult& result) {
    if (result)
        return success();
    val outcome = refusal(result.error().reason);
    outcome.set("field", std::string(fieldName(result.error().field)));
    outcome.set("label", std::string(fieldLabel(result.error().field)));
    return outcome;
}

val bytesToJs(std::span<const std::uint8_t> bytes) {
    val view(emscripten::typed_memory_view(bytes.size(), bytes.data()));
    return val::global("Uint8Array").new_(view);
}

std::basic_string<std::uint8_t> bytesFromJs(const val& bytes) {
    std::basic_string<std::uint8_t> out;
    if (!bytes.instanceof (val::global("Uint8Array")) && !bytes.isArray())
        return out;
    const auto length = bytes["length"].as<std::size_t>();
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i)
        out.push_back(static_cast<std::uint8_t>(bytes[i].as<int>()));
    return out;
}

val success() {
    val outcome = val::object();
    outcome.set("ok", true);
    return outcome;
}

val refusal(const std::string& reason) {
    val outcome = val::object();
    outcome.set("ok", false);
    outcome.set("reason", reason);
    return outcome;
}

}  // namespace zelvar::web
