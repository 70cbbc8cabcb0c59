// The GPSless calculator: coordinate checks, the beacon text and the beacon read back.
#include <emscripten/bind.h>

#include "geo/coordinate_validation.h"
#include "geo/position_calculation.h"
#include "geo/position_decoder.h"
#include "js_values.h"

namespace zelvar::web {
namespace {

Notation notationOf(bool cent) {
    return cent ? Notation::GradMinCent : Notation::GradMinSec;
}

// Whether both coordinates are valid in the chosen notation: the write button follows it.
val validateCoordinates(const std::string& latitude, const std::string& longitude, bool cent) {
    for (const auto& [text, axis] :
         {std::pair{&latitude, Axis::Latitude}, std::pair{&longitude, Axis::Longitude}}) {
        if (Result<> valid = validateCoordinate(*text, axis, notationOf(cent)); !valid)
            return refusal(valid.error().reason);
    }
    return success();
}

// { ok, text, feet, altitude } for the calculator's inputs and the form's symbol settings, or
// the reason nothing is written.
val calculate(const val& inputs, const std::string& symbol, bool alternateTable) {
    const CalculatorInputs c = calculatorFromJs(inputs);
    PositionRequest request;
    request.latitude = c.latitude;
    request.longitude = c.longitude;
    request.notation = notationOf(c.centChecked == 1);
    request.altitude = c.altitude;
    request.includeAltitude = c.altitudeChecked == 1;
    request.form = c.normalForm ? PositionForm::Normal : PositionForm::Compressed;
    request.symbol = symbol;
    request.alternateTable = alternateTable;
    const Result<CalculatedPosition> position = calculatePosition(request);
    if (!position)
        return refusal(position.error().reason);
    val outcome = success();
    outcome.set("text", position->text);
    outcome.set("feet", position->feet);
    outcome.set("altitude", position->altitude);
    return outcome;
}

// A position text read back: { ok, description, latitude, longitude, ... } or why it is none.
val readPosition(const std::string& text) {
    const Result<DecodedPosition> read = decodePosition(text);
    if (!read)
        return refusal(read.error().reason);
    val outcome = success();
    outcome.set("description", describePosition(*read));
    outcome.set("compressed", read->form == PositionForm::Compressed);
    outcome.set("latitude", read->latitude);
    outcome.set("longitude", read->longitude);
    outcome.set("table", std::string(1, read->table));
    outcome.set("symbol", std::string(1, read->symbol));
    outcome.set("feet", read->feet ? val(*read->feet) : val::null());
    return outcome;
}

}  // namespace

EMSCRIPTEN_BINDINGS(zelvar_position) {
    emscripten::function("validateCoordinates", &validateCoordinates);
    emscripten::function("calculatePosition", &calculate);
    emscripten::function("decodePosition", &readPosition);
}

}  // namespace zelvar::web
