#pragma once

#include <string>
#include <string_view>

#include "common/result.h"

namespace zelvar {

enum class Axis { Latitude, Longitude };
enum class Notation { GradMinCent, GradMinSec };

// Whether a typed coordinate has a shape the converters can read and lies within 90 (latitude)
// or 180 (longitude) degrees. Never throws, whatever the text.
// On failure the reason tells the first check that failed.
Result<> validateCoordinate(std::string_view text, Axis axis, Notation notation);

bool isValidLatSec(std::string_view text);
bool isValidLngSec(std::string_view text);
bool isValidLatCent(std::string_view text);
bool isValidLngCent(std::string_view text);

std::string_view axisName(Axis axis);              // "latitude", "longitude"
std::string_view notationName(Notation notation);  // "Grad.Min.Cent", "Grad.Min.Sec"

}  // namespace zelvar
