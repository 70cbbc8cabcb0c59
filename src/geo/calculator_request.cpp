#include "geo/calculator_request.h"

#include "cfg/cfg_encoding.h"
#include "common/ascii.h"

namespace zelvar {

bool holdsLocator(std::string_view latitude) {
    const std::size_t start = latitude.find_first_not_of(' ');
    return start != std::string_view::npos && latitude.size() - start >= 2 &&
           isAsciiUpper(asciiUpper(latitude[start])) &&
           isAsciiUpper(asciiUpper(latitude[start + 1]));
}

PositionRequest calculatorRequest(const CalculatorInputs& inputs, std::string_view symbol,
                                  bool alternateTable) {
    PositionRequest request;
    // The readers take UTF-8: a degree sign is two bytes there.
    if (holdsLocator(inputs.latitude)) {
        request.locator = latin1ToUtf8(inputs.latitude);
    } else {
        request.latitude = latin1ToUtf8(inputs.latitude);
        request.longitude = latin1ToUtf8(inputs.longitude);
    }
    request.notation = inputs.centChecked == 1 ? Notation::GradMinCent : Notation::GradMinSec;
    request.altitude = inputs.altitude;
    request.includeAltitude = inputs.altitudeChecked == 1;
    request.form = inputs.normalForm ? PositionForm::Normal : PositionForm::Compressed;
    request.symbol = symbol;
    request.alternateTable = alternateTable;
    return request;
}

}  // namespace zelvar
