#include "geo/position_calculation.h"

#include "geo/coordinate_conversion.h"

namespace zelvar {
namespace {

using Result = GeoResult<CalculatedPosition>;

std::string describe(Axis axis, const std::string& text, Notation notation) {
    return "invalid " + std::string(axisName(axis)) + " \"" + text + "\" (" +
           std::string(notationName(notation)) + ")";
}

// Decimal degrees of a validated coordinate.
GeoResult<double> decimal(const std::string& text, Notation notation) {
    return notation == Notation::GradMinCent ? centToDeg(text) : secToDeg(text);
}

// The Grad.Min.Cent text the normal form is built from: the typed text itself, or the
// seconds turned into hundredths of a minute.
GeoResult<std::string> centText(const std::string& text, double degrees, Notation notation) {
    return notation == Notation::GradMinCent ? GeoResult<std::string>::success(text)
                                             : degToCent(degrees);
}

}  // namespace

GeoResult<CalculatedPosition> calculatePosition(const PositionRequest& request) {
    if (request.symbol.size() != 1) {
        return Result::failure("the symbol must be one character, not \"" + request.symbol + "\"");
    }
    const Notation notation = request.notation;
    for (auto [axis, text] : {std::pair{Axis::Latitude, &request.latitude},
                              std::pair{Axis::Longitude, &request.longitude}}) {
        if (Validation v = validateCoordinate(*text, axis, notation); !v) {
            return Result::failure(describe(axis, *text, notation) + ": " + v.reason);
        }
    }
    GeoResult<double> latitude = decimal(request.latitude, notation);
    GeoResult<double> longitude = decimal(request.longitude, notation);
    if (!latitude || !longitude) {
        return Result::failure(latitude ? longitude.reason : latitude.reason);
    }
    GeoResult<std::int32_t> feet = altitudeFeet(request.altitude, request.form);
    if (!feet) {
        return Result::failure(feet.reason);
    }

    const char table = symbolTableChar(request.alternateTable);
    const char symbol = request.symbol.front();
    std::optional<std::int32_t> carried;
    if (request.includeAltitude) {
        carried = *feet;
    }
    GeoResult<std::string> text;
    if (request.form == PositionForm::Compressed) {
        text = makeCompressed(*latitude, *longitude, table, symbol, carried);
    } else {
        GeoResult<std::string> latCent = centText(request.latitude, *latitude, notation);
        GeoResult<std::string> lngCent = centText(request.longitude, *longitude, notation);
        if (!latCent || !lngCent) {
            return Result::failure(latCent ? lngCent.reason : latCent.reason);
        }
        text = normalPosition(*latCent, *lngCent, table, symbol, carried);
    }
    if (!text) {
        return Result::failure(text.reason);
    }
    return Result::success({*text, *feet, feetAsMetres(*feet)});
}

}  // namespace zelvar
