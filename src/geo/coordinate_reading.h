#pragma once

#include <string>
#include <string_view>

#include "common/result.h"
#include "geo/coordinate_validation.h"

namespace zelvar {

// How a typed coordinate was written.
enum class CoordinateForm {
    Dotted,                 // the calculator's Grad.Min.Cent or Grad.Min.Sec: 45.30.15
    Decimal,                // 45.5025, -9.175, 9.175W
    DegreesMinutes,         // 45°30.15'N, 45 30.150 N
    DegreesMinutesSeconds,  // 45°30'09"N, 45 30 9 N
};

struct TypedCoordinate {
    double degrees = 0;  // north and east positive
    CoordinateForm form = CoordinateForm::Decimal;
    std::string dotted;  // a dotted text as read, without the blanks around it
};

// Whether a text is meant in the calculator's dotted form, whose meaning the Grad.Min.Cent /
// Grad.Min.Sec choice decides: it has two or more points, which no other notation has.
bool isDottedCoordinate(std::string_view text);

// A latitude or longitude in any notation a user brings from a map, a GPS or a list of
// stations. The dotted forms go through validateCoordinate and the converters unchanged, read as
// `dotted` says (blanks around them allowed); every other form is one, two or three numbers
// (degrees; degrees and minutes; degrees, minutes and seconds), only the last with a fraction,
// separated by blanks or marked with °, ' and " (or their typographic twins), and a hemisphere
// letter of the axis in either case before or after them, or a sign in front. Never fails by more
// than a reason, whatever the bytes.
Result<TypedCoordinate> readCoordinate(std::string_view text, Axis axis, Notation dotted);

}  // namespace zelvar
