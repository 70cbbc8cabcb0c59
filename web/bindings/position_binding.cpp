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
val validateCoordinates(const val& latitude, const val& longitude, bool cent) {
    for (const auto& [text, axis] :
         {std::pair{&latitude, Axis::Latitude}, std::pair{&longitude, Axis::Longitude}}) {
        const Result<std::string> coordinate = latin1FromJs(*text);
        if (!coordinate)
            return refusal(coordinate.error().reason);
        if (Result<> valid = validateCoordinate(*coordinate, axis, notationOf(cent)); !valid)
            return refusal(valid.error().reason);
    }
    return success();
}

// { ok, text, feet, altitude } for the calculator's inputs and the form's symbol settings, or
// the reason nothing is written.
val calculate(const val& inputs, const val& symbol, bool alternateTable) {
    const Result<CalculatorInputs> read = calculatorFromJs(inputs);
    if (!read)
        return refusal(read.error().reason);
    const Result<std::string> symbolText = latin1FromJs(symbol);
    if (!symbolText)
        return refusal(symbolText.error().reason);
    const CalculatorInputs& c = *read;
    PositionRequest request;
    request.latitude = c.latitude;
    request.longitude = c.longitude;
    request.notation = notationOf(c.centChecked == 1);
    request.altitude = c.altitude;
    request.includeAltitude = c.altitudeChecked == 1;
    request.form = c.normalForm ? PositionForm::Normal : PositionForm::Compressed;
    request.symbol = *symbolText;
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
val readPosition(const val& text) {
    const Result<std::string> latin1 = latin1FromJs(text);
    if (!latin1)
        return refusal(latin1.error().reason);
    const Result<DecodedPosition> read = decodePosition(*latin1);
    if (!read)
        return refusal(read.error().reason);
    val outcome = success();
    outcome.set("description", messageToJs(describePosition(*read)));
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
