#pragma once

#include <string>
#include <string_view>

#include "common/result.h"

namespace zelvar {

// A position in decimal degrees, north and east positive.
struct GeoPoint {
    double latitude = 0;
    double longitude = 0;
};

// The centre of the Maidenhead square a locator of 4, 6 or 8 characters names ("JN45",
// "JN45ol", "JN45ol55"), letters in either case, blanks around it allowed.
Result<GeoPoint> locatorCentre(std::string_view locator);

// The locator of 4, 6 or 8 characters of the square a position lies in, written as usual:
// "JN45ol55". The north pole and the antimeridian in the east lie in the last squares.
Result<std::string> maidenheadLocator(GeoPoint point, int characters);

}  // namespace zelvar
