#include "geo/position_calculation.h"

#include <tuple>

#include "common/ascii.h"
#include "geo/coordinate_conversion.h"
#include "geo/coordinate_reading.h"
#include "geo/position_decoder.h"
#include "text/translation.h"

namespace zelvar {
namespace {

constexpr int kShownLocatorLength = 6;

// The position of a request, and the Grad.Min.Cent texts the normal form is built from.
struct Where {
    GeoPoint point;
    std::string latitudeCent;
    std::string longitudeCent;
};

std::string describe(Axis axis, const std::string& text, Notation notation) {
    if (isDottedCoordinate(text))
        return withArguments(translated("coordinates", "invalid %1 \"%2\" (%3)"),
                             {axisName(axis), text, notationName(notation)});
    return withArguments(translated("coordinates", "invalid %1 \"%2\""), {axisName(axis), text});
}

// A dotted Grad.Min.Cent text as typed, but for the blanks around it, which would land inside the
// beacon ("=4530.15 N"); every other notation as its degrees give it.
Result<std::string> centText(const TypedCoordinate& coordinate, Notation notation) {
    if (coordinate.form == CoordinateForm::Dotted && notation == Notation::GradMinCent)
        return coordinate.dotted;
    return degToCent(coordinate.degrees);
}

Result<Where> typedPosition(const PositionRequest& request) {
    Where where;
    for (auto [axis, text, degrees, cent] :
         {std::tuple{Axis::Latitude, &request.latitude, &where.point.latitude, &where.latitudeCent},
          std::tuple{Axis::Longitude, &request.longitude, &where.point.longitude,
                     &where.longitudeCent}}) {
        Result<TypedCoordinate> read = readCoordinate(*text, axis, request.notation);
        if (!read)
            return failure(
                withArguments(translated("coordinates", "%1: %2"),
                              {describe(axis, *text, request.notation), read.error().reason}));
        Result<std::string> asCent = centText(*read, request.notation);
        if (!asCent)
            return failure(asCent.error().reason);
        *degrees = read->degrees;
        *cent = std::move(*asCent);
    }
    return where;
}

Result<Where> locatorPosition(const std::string& locator) {
    Result<GeoPoint> centre = locatorCentre(locator);
    if (!centre)
        return failure(withArguments(translated("coordinates", "invalid locator \"%1\": %2"),
                                     {locator, centre.error().reason}));
    Result<std::string> latitude = degToCent(centre->latitude);
    Result<std::string> longitude = degToCent(centre->longitude);
    if (!latitude || !longitude)
        return failure(latitude ? longitude.error().reason : latitude.error().reason);
    return Where{*centre, *latitude, *longitude};
}

// The locator of the position the text carries, which the normal form rounds to hundredths of a
// minute, so that the locator shown is the one a station receiving the beacon works out.
std::string carriedLocator(const std::string& text, GeoPoint asked) {
    Result<DecodedPosition> carried = decodePosition(text);
    const GeoPoint point = carried ? GeoPoint{carried->latitude, carried->longitude} : asked;
    return maidenheadLocator(point, kShownLocatorLength).value_or(std::string());
}

Result<Where> requestedWhere(const PositionRequest& request) {
    return request.locator.empty() ? typedPosition(request) : locatorPosition(request.locator);
}

}  // namespace

Result<GeoPoint> requestedPoint(const PositionRequest& request) {
    Result<Where> where = requestedWhere(request);
    if (!where)
        return failure(where.error().reason);
    return where->point;
}

Result<CalculatedPosition> calculatePosition(const PositionRequest& request) {
    if (request.symbol.size() != 1) {
        return failure(
            withArguments(translated("coordinates", "the symbol must be one character, not \"%1\""),
                          {request.symbol}));
    }
    if (!isSymbolChar(request.symbol.front())) {
        return failure(withArguments(
            translated("coordinates", "the symbol must be a printable character, not %1"),
            {escapedControls(request.symbol)}));
    }
    Result<Where> where = requestedWhere(request);
    if (!where) {
        return failure(where.error().reason);
    }
    Result<std::int32_t> feet = altitudeFeet(request.altitude, request.form);
    if (!feet) {
        return failure(feet.error().reason);
    }

    const char table = symbolTableChar(request.alternateTable);
    const char symbol = request.symbol.front();
    std::optional<std::int32_t> carried;
    if (request.includeAltitude) {
        carried = *feet;
    }
    Result<std::string> text =
        request.form == PositionForm::Compressed
            ? makeCompressed(where->point.latitude, where->point.longitude, table, symbol, carried)
            : normalPosition(where->latitudeCent, where->longitudeCent, table, symbol, carried);
    if (!text) {
        return failure(text.error().reason);
    }
    return CalculatedPosition{*text, *feet, feetAsMetres(*feet),
                              carriedLocator(*text, where->point)};
}

}  // namespace zelvar
