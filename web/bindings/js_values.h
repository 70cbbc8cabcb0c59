#pragma once

#include <emscripten/val.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <tl/expected.hpp>

#include "common/result.h"
#include "config/config_image.h"
#include "config/device_settings.h"

// The page's values and the core's types, both ways. A form is a plain object keyed by
// `fieldName` ("myCall", "speedInterval0"): texts as strings of Latin-1 characters, flags and
// list indexes as numbers. Missing or mistyped members read as empty texts and 0.
//
// Two kinds of text cross: settings, one Latin-1 byte per character as the tracker and the .cfg
// files hold them; and the core's messages, which are UTF-8.
namespace zelvar::web {

using emscripten::val;

// A message of the core as a JS string. A byte that is no part of well-formed UTF-8 stands for
// its Latin-1 character: some messages quote a setting as the record holds it.
val messageToJs(std::string_view text);
// A JS string of any characters as UTF-8, the other way.
std::string messageFromJs(const val& text);

// A text of the page as Latin-1, one byte per character; a character beyond Latin-1 gets the
// core's refusal, which names it, instead of an exception in the page.
Result<std::string> latin1FromJs(const val& text);

val settingsToJs(const DeviceSettings& settings);
// The form's settings, or the first field that holds a character beyond Latin-1, with why.
tl::expected<DeviceSettings, FieldFailure> settingsFromJs(const val& form);

val calculatorToJs(const CalculatorInputs& inputs);
Result<CalculatorInputs> calculatorFromJs(const val& inputs);

// A build's outcome: { ok: true } or { ok: false, field, label, reason }.
val buildOutcome(const BuildResult& result);
// A form the core cannot read fails as a build does, and leaves the form as it was: the failure
// and `written`, the form itself.
val unreadForm(const val& form, const FieldFailure& failure);

// Bytes as a Uint8Array of its own (not a view into the module's memory).
val bytesToJs(std::span<const std::uint8_t> bytes);

// { ok: true, ...members } or { ok: false, reason }.
val success();
val refusal(std::string_view reason);

}  // namespace zelvar::web
