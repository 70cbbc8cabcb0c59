#include "js_values.h"

#include <tuple>
#include <vector>

#include "cfg/cfg_encoding.h"
#include "common/utf8.h"
#include "config/input_rules.h"

namespace zelvar::web {
namespace {

// The core's words for a character that Latin-1 lacks, from the text as UTF-8; TextEncoder
// writes a lone surrogate as U+FFFD, which is refused as well.
Failure beyondLatin1(const val& text) {
    const val utf8 = val::global("TextEncoder").new_().call<val>("encode", text);
    const std::vector<std::uint8_t> bytes =
        emscripten::convertJSArrayToNumberVector<std::uint8_t>(utf8);
    Result<std::string> latin1 =
        cfgTextToLatin1(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                        CfgEncoding::Utf8);
    return latin1 ? Failure{"the text holds a character beyond Latin-1"} : latin1.error();
}

Result<std::string> textMember(const val& object, std::string_view name) {
    return latin1FromJs(object[std::string(name)]);
}

int numberMember(const val& object, std::string_view name) {
    const val member = object[std::string(name)];
    return member.isNumber() ? member.as<int>() : 0;
}

}  // namespace

val messageToJs(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    while (!text.empty()) {
        if (const std::optional<char32_t> c = takeUtf8(text)) {
            wide += static_cast<wchar_t>(*c);
        } else {
            wide += static_cast<wchar_t>(static_cast<unsigned char>(text.front()));
            text.remove_prefix(1);
        }
    }
    return val(wide);
}

std::string messageFromJs(const val& text) {
    std::string utf8;
    if (!text.isString())
        return utf8;
    for (const wchar_t c : text.as<std::wstring>())
        appendUtf8(utf8, static_cast<char32_t>(c));
    return utf8;
}

Result<std::string> latin1FromJs(const val& text) {
    if (!text.isString())
        return std::string();
    const auto wide = text.as<std::wstring>();
    std::string latin1;
    latin1.reserve(wide.size());
    for (const wchar_t c : wide) {
        if (static_cast<std::uint32_t>(c) > 0xFF)
            return tl::unexpected(beyondLatin1(text));
        latin1 += static_cast<char>(c);
    }
    return latin1;
}

val settingsToJs(const DeviceSettings& settings) {
    val form = val::object();
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        const std::string name(fieldName(field));
        if (const std::string* text = fieldText(settings, field))
            form.set(name, *text);
        else
            form.set(name, *fieldNumber(settings, field));
    }
    return form;
}

tl::expected<DeviceSettings, FieldFailure> settingsFromJs(const val& form) {
    DeviceSettings s;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        if (std::string* text = fieldText(s, field)) {
            Result<std::string> member = textMember(form, fieldName(field));
            if (!member) {
                return tl::unexpected(FieldFailure{
                    field, std::string(fieldLabel(field)) + ": " + member.error().reason});
            }
            *text = std::move(*member);
        } else {
            *fieldNumber(s, field) = numberMember(form, fieldName(field));
        }
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

Result<CalculatorInputs> calculatorFromJs(const val& inputs) {
    CalculatorInputs c;
    const std::tuple<std::string*, const char*, CalculatorField> texts[] = {
        {&c.latitude, "latitude", CalculatorField::Latitude},
        {&c.longitude, "longitude", CalculatorField::Longitude},
        {&c.altitude, "altitude", CalculatorField::Altitude}};
    for (const auto& [text, member, field] : texts) {
        Result<std::string> read = textMember(inputs, member);
        if (!read)
            return failure(std::string(calculatorFieldName(field)) + ": " + read.error().reason);
        *text = std::move(*read);
    }
    c.centChecked = numberMember(inputs, "centChecked");
    c.altitudeChecked = numberMember(inputs, "altitudeChecked");
    c.normalForm = inputs["normalForm"].isTrue();
    return c;
}

val buildOutcome(const BuildResult& result) {
    if (result)
        return success();
    val outcome = refusal(result.error().reason);
    outcome.set("field", std::string(fieldName(result.error().field)));
    outcome.set("label", messageToJs(fieldLabel(result.error().field)));
    return outcome;
}

val unreadForm(const val& form, const FieldFailure& failure) {
    val outcome = buildOutcome(tl::unexpected(failure));
    outcome.set("written", form);
    return outcome;
}

val bytesToJs(std::span<const std::uint8_t> bytes) {
    val view(emscripten::typed_memory_view(bytes.size(), bytes.data()));
    return val::global("Uint8Array").new_(view);
}

val success() {
    val outcome = val::object();
    outcome.set("ok", true);
    return outcome;
}

val refusal(std::string_view reason) {
    val outcome = val::object();
    outcome.set("ok", false);
    outcome.set("reason", messageToJs(reason));
    return outcome;
}

}  // namespace zelvar::web
