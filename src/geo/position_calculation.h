#pragma once

#include <cstdint>
#include <string>

#include "common/result.h"
#include "geo/aprs_position.h"
#include "geo/coordinate_validation.h"
#include "geo/maidenhead_locator.h"

namespace zelvar {

// Everything one calculation of the GPSless beacon reads: the calculator's fields and the
// symbol settings of the main window.
struct PositionRequest {
    // In any notation readCoordinate takes; the dotted ones read as `notation` says.
    std::string latitude = "00.00.00";
    std::string longitude = "00.00.00";
    Notation notation = Notation::GradMinCent;
    std::string altitude = "0";  // metres, as typed
    bool includeAltitude = false;
    PositionForm form = PositionForm::Compressed;
    std::string symbol = ">";  // one character
    bool alternateTable = false;
    // A Maidenhead locator of 4, 6 or 8 characters: when given, the centre of its square is the
    // position and the two coordinates are not read.
    std::string locator;
};

struct CalculatedPosition {
    std::string text;      // what goes into the beacon field
    std::int32_t feet;     // the altitude in whole feet, also when it is not included
    std::string altitude;  // the metres those feet stand for, shown back in the altitude field
    std::string locator;   // the 6-character locator of the position the text carries
};

// The position a request names, its coordinates or its locator read as calculatePosition reads
// them, or the reason it names none: what the calculator's write button follows.
Result<GeoPoint> requestedPoint(const PositionRequest& request);

// The beacon text for a request. The coordinates are validated again here, whatever the caller
// checked before, so pasted text never reaches the conversions; the reason names the input that
// failed. A dotted Grad.Min.Cent coordinate goes into the normal form as typed; any other is
// rounded to hundredths of a minute there.
Result<CalculatedPosition> calculatePosition(const PositionRequest& request);

}  // namespace zelvar
