#include "geo/position_calculation.h"

#include "geo/coordinate_conversion.h"

namespace zelvar {
namespace {

using Calculated = Result<CalculatedPosition>;

std::string describe(Axis axis, const std::string& text, Notation notation) {
    return "invalid " + std::string(axisName(axis)) + " \"" + text + "\" (" +
           std::string(notationName(notation)) + ")";
}

// Decimal degrees of a validated coordinate.
Result<double> decimal(const std::string& text, Notation notation) {
    return notation == Notation::GradMinCent ? centToDeg(text) : secToDeg(text);
}

// The Grad.Min.Cent text the normal form is built from: the typed text itself, or the
// seconds turned into hundredths of a minute.
Result<std::string> centText(const std::string& text, double degrees, Notation notation) {
    return notation == Notation::GradMinCent ? Result<std::string>(text) : degToCent(degrees);
}

}  // namespace

Result<CalculatedPosition> calculatePosition(const PositionRequest& request) {
    if (request.symbol.size() != 1) {
        return failure("the symbol must be one character, not \"" + request.symbol + "\"");
    }
    const Notation notation = request.notation;
    for (auto [axis, text] : {std::pair{Axis::Latitude, &request.latitude},
                              std::pair{Axis::Longitude, &request.longitude}}) {
        if (Result<> v = validateCoordinate(*text, axis, notation); !v) {
            return failure(describe(axis, *text, notation) + ": " + v.error().reason);
        }
    }
    Result<double> latitude = decimal(request.latitude, notation);
    Result<double> longitude = decimal(request.longitude, notation);
    if (!latitude || !longitude) {
        return failure(latitude ? longitude.error().reason : latitude.error().reason);
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
    Result<std::string> text;
    if (request.form == PositionForm::Compressed) {
        text = makeCompressed(*latitude, *longitude, table, symbol, carried);
    } else {
        Result<std::string> latCent = centText(request.latitude, *latitude, notation);
        Result<std::string> lngCent = centText(request.longitude, *longitude, notation);
        if (!latCent || !lngCent) {
            return failure(latCent ? lngCent.error().reason : latCent.error().reason);
        }
        text = normalPosition(*latCent, *lngCent, table, symbol, carried);
    }
    if (!text) {
        return failure(text.error().reason);
    }
    return CalculatedPosition{*text, *feet, feetAsMetres(*feet)};
}

}  // namespace zelvar
