#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/result.h"
#include "config/config_image.h"

namespace zelvar {

// A callsign entry's call: the bytes before its SSID character.
inline constexpr std::size_t kCallsignLength = 6;
// A callsign entry: the call and its SSID character; a path's second entry starts after one.
inline constexpr std::size_t kCallsignEntryLength = kCallsignLength + 1;

// Writes each character of `text` from `start` on, then one 0 byte. False when the 0 would fall
// outside the image (nothing is written then).
bool putText(ConfigImage& image, std::size_t start, std::string_view text);

// Writes the 7-byte callsign entry of 'CALL-SSID' at start..start+6 (and a 0 at start+7 when
// `terminate`), and returns the normalised text the field shows afterwards: 'NOCALL-9',
// 'QX9ABC-0' -> 'QX9ABC'.
Result<std::string> putCallsign(ConfigImage& image, std::size_t start, std::string_view text,
                                bool terminate);

}  // namespace zelvar
