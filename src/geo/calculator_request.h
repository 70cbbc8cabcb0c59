#pragma once

#include <string_view>

#include "config/device_settings.h"
#include "geo/position_calculation.h"

namespace zelvar {

// Whether the calculator's Latitude holds a Maidenhead locator rather than a latitude: it starts
// with two letters, which no latitude does (its hemisphere letter is one). A locator there stands
// for both coordinates, and Longitude is not read.
bool holdsLocator(std::string_view latitude);

// The request of the calculator's inputs (Latin-1, as the window, the page and the .cfg hold
// them) and the main window's symbol settings, the same for every front end.
PositionRequest calculatorRequest(const CalculatorInputs& inputs, std::string_view symbol,
                                  bool alternateTable);

}  // namespace zelvar
