#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "config/config_image.h"

namespace zelvar {

// Writes each character of `text` from `start` on, then one 0 byte. False when the 0 would fall
// outside the image (nothing is written then).
bool putText(ConfigImage& image, std::size_t start, std::string_view text);

// Result of writing one callsign entry.
struct CallsignResult {
    bool ok = true;
    std::string normalised;  // what the field shows afterwards: 'NOCALL-9', 'QX9ABC-0' -> 'QX9ABC'
    std::string reason;      // why it failed
};

// Writes the 7-byte callsign entry of 'CALL-SSID' at start..start+6 (and a 0 at start+7 when
// `terminate`), and returns the normalised text.
CallsignResult putCallsign(ConfigImage& image, std::size_t start, std::string_view text,
                           bool terminate);

}  // namespace zelvar
