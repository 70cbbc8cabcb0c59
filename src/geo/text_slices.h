#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/result.h"

// Cutting helpers for the coordinate texts: taking more characters than a text has gives what
// is there, never an error, so a short text yields short pieces that the checks then refuse.
namespace zelvar::geo_text {

// First character in ASCII upper case, whatever the locale, or '\0' for an empty text.
char firstUpper(std::string_view text);

// The last `count` characters, or the whole text when it is shorter.
std::string_view lastChars(std::string_view text, std::size_t count);
// `count` characters from the 1-based position `start`; empty when `start` is past the end.
std::string_view middle(std::string_view text, std::size_t start,
                        std::size_t count = std::string_view::npos);

// A double as a 32-bit float, or nothing when it lies outside the float range.
std::optional<float> toSingle(double value);

// A piece of a coordinate (degrees, minutes, seconds) read as a number and held as a 32-bit
// float. The whole piece must be a number; `what` names it in the reason.
Result<float> singlePiece(std::string_view piece, std::string_view what);

}  // namespace zelvar::geo_text
