#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelvar {

// The number at the start of a text: leading blanks, an optional sign, digits and an optional
// decimal part. Anything else ends it; no exponents, no hex ("1E5" is 1, "&H10" is 0). A text
// without such a start gives 0.
double leadingNumber(std::string_view text);

// The whole text (surrounding blanks allowed) as a number in the same grammar, or nothing when
// anything else is in it. Used where the file format wants a strict conversion.
std::optional<double> strictNumber(std::string_view text);

// Nearest whole number, an exact half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// A whole number with at least `minDigits` digits, leading zeros added; a fraction is rounded
// half-even first. Negative values get a leading "-" before the zeros.
std::string formatDigits(double value, int minDigits);

// Decimal text of a number: no decimal point when whole (3, 131), "." otherwise.
std::string formatPlainNumber(double value);

// Leading and trailing spaces removed (spaces only, as the tracker's fields are space-padded).
std::string_view trimSpaces(std::string_view text);

}  // namespace zelvar
