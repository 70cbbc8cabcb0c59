#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/result.h"
#include "geo/aprs_position.h"
#include "text/translation.h"

namespace zelvar {

// What a failed decode's reason starts with.
// Shown as translated("position decoder", kNotACalculatorPosition).
inline constexpr std::string_view kNotACalculatorPosition =
    marked("position decoder", "not a position the calculator would write");

// A position text read back.
struct DecodedPosition {
    PositionForm form = PositionForm::Normal;
    double latitude = 0;   // decimal degrees, north positive
    double longitude = 0;  // decimal degrees, east positive
    char table = '/';      // '/' primary, '\' alternate
    char symbol = '>';
    // The altitude when the text carries one: the /A= feet exactly, or 1.002 to the power of the
    // compressed digits.
    std::optional<double> feet;
};

// Reads exactly the three forms the calculator writes (normal 20, normal with /A= 29,
// compressed 14 characters) and nothing else: another length, a data type other than "=",
// lower-case hemispheres, minutes of 60, coordinates beyond 90 or 180 degrees, a compressed tail
// other than "  _" or two altitude digits and "Q" are all refused with a reason.
Result<DecodedPosition> decodePosition(std::string_view text);

// The position in the calculator's Grad.Min.Cent notation with hemisphere letters, the symbol
// and the altitude: "N49.30.00 W72.45.00, symbol />, altitude 984 ft (300 m)".
std::string describePosition(const DecodedPosition& position);

}  // namespace zelvar
