#pragma once

#include <emscripten/val.h>

#include <cstdint>
#include <span>
#include <string>

#include "config/config_image.h"
#include "config/device_settings.h"

// The page's values and the core's types, both ways. A form is a plain object keyed by
// `fieldName` ("MyCall", "SpeedTable[0]"): texts as strings of Latin-1 characters, flags and
// list indexes as numbers. Missing or mistyped members read as empty texts and 0.
namespace zelvar::web {

using emscripten::val;

val settingsToJs(const DeviceSettings& settings);
DeviceSettings settingsFromJs(const val& form);

val calculatorToJs(const CalculatorInputs& inputs);
CalculatorInputs calculatorFromJs(const val& inputs);

// A build's outcome: { ok: true } or { ok: false, field, label, reason }.
val buildOutcome(const BuildResult& result);

// Bytes as a Uint8Array of its own (not a view into the module's memory).
val bytesToJs(std::span<const std::uint8_t> bytes);
// A Uint8Array or an array of numbers as bytes; anything else gives none.
std::basic_string<std::uint8_t> bytesFromJs(const val& bytes);

// { ok: true, ...members } or { ok: false, reason }.
val success();
val refusal(const std::string& reason);

}  // namespace zelvar::web
