#pragma once

#include <string>
#include <string_view>

#include "common/ascii.h"
#include "common/result.h"

// Text and number conversions behind the GPSless position calculator.
//
// Notations: Grad.Min.Sec "45.30.15" (45 deg 30 min 15 s) and Grad.Min.Cent "45.30.15"
// (45 deg 30.15 min), each with an optional prefix N/S, E/W, + or -. Packed forms hold seven
// digits DDDMMSS or DDDMMCC behind the prefix. Decimal degrees are positive north and east.
// The degree, minute and second pieces are held as 32-bit floats, sums are doubles: the
// results depend on it (30.15 minutes are 30.149999618... minutes).
namespace zelvar {

// "45.30.15" -> "0453015", "-11.05.50" -> "-0110550". Never fails: missing characters are
// simply missing from the result.
std::string secToPacked(std::string_view text);

// Packed seconds form to decimal degrees. Fails when a piece is not a number.
Result<double> packedToDeg(std::string_view packed);

Result<double> secToDeg(std::string_view text);
Result<double> centToDeg(std::string_view text);

// Decimal degrees to the packed hundredths form: -0.5 -> "-0003000". Fails for values that
// are not finite or beyond a million degrees.
Result<std::string> degToPackedCent(double value);

// "-0724500" -> "-72.45.00", "0000000" -> "0.00.00".
std::string packedCentToCent(std::string_view packed);

Result<std::string> degToCent(double value);

// Grad.Min.Cent to the APRS position fields: "45.30.15" -> "4530.15N",
// "-11.05.50" -> "01105.50W". Fails for a text without "." after the degrees or with degrees
// that are not a number.
Result<std::string> centToAprsLat(std::string_view text);
Result<std::string> centToAprsLng(std::string_view text);

}  // namespace zelvar
