#pragma once

#include <string>

#include "common/result.h"
#include "config/device_settings.h"

namespace zelvar {

// The settings and the calculator's inputs as the bytes of a .cfg file: 12 CR LF-ended lines.
Result<std::string> writeConfigText(const DeviceSettings& settings,
                                    const CalculatorInputs& calculator);

}  // namespace zelvar
