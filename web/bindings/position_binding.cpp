// The GPSless calculator: the position it names and the beacon text.
#include <emscripten/bind.h>

#include "geo/calculator_request.h"
#include "geo/position_calculation.h"
#include "js_values.h"

namespace zelvar::web {
namespace {

// The calculator's inputs and the form's symbol settings as the window makes them into a request.
Result<PositionRequest> requestOf(const val& inputs, const val& symbol, bool alternateTable) {
    const Result<CalculatorInputs> read = calculatorFromJs(inputs);
    if (!read)
        return failure(read.error().reason);
    const Result<std::string> symbolText = latin1FromJs(symbol);
    if (!symbolText)
        return failure(symbolText.error().reason);
    return calculatorRequest(*read, *symbolText, alternateTable);
}

// Whether the inputs name a position, in any notation or as a locator: the write button follows
// it. { ok, locator: whether Latitude holds a locator } or the reason it is none.
val checkPosition(const val& inputs) {
    const Result<PositionRequest> request = requestOf(inputs, val(""), false);
    if (!request)
        return refusal(request.error().reason);
    const Result<GeoPoint> point = requestedPoint(*request);
    val outcome = point ? success() : refusal(point.error().reason);
    outcome.set("locator", !request->locator.empty());
    return outcome;
}

// { ok, text, feet, altitude, locator } for the calculator's inputs and the form's symbol
// settings, or the reason nothing is written.
val calculate(const val& inputs, const val& symbol, bool alternateTable) {
    const Result<PositionRequest> request = requestOf(inputs, symbol, alternateTable);
    if (!request)
        return refusal(request.error().reason);
    const Result<CalculatedPosition> position = calculatePosition(*request);
    if (!position)
        return refusal(position.error().reason);
    val outcome = success();
    outcome.set("text", position->text);
    outcome.set("feet", position->feet);
    outcome.set("altitude", position->altitude);
    outcome.set("locator", position->locator);
    return outcome;
}

}  // namespace

EMSCRIPTEN_BINDINGS(zelvar_position) {
    emscripten::function("checkPosition", &checkPosition);
    emscripten::function("calculatePosition", &calculate);
}

}  // namespace zelvar::web
