#pragma once

#include <filesystem>
#include <string>

#include "common/result.h"
#include "config/device_settings.h"

namespace zelvar {

// The settings and the calculator's inputs as the bytes of a .cfg file: 12 CR LF-ended lines.
Result<std::string> writeConfigText(const DeviceSettings& settings,
                                    const CalculatorInputs& calculator);

// Writes the .cfg into a temporary file beside `path` and renames it over `path` only when it
// is complete, so a failed save never destroys an existing file.
Result<> saveConfigFile(const std::filesystem::path& path, const DeviceSettings& settings,
                        const CalculatorInputs& calculator);

}  // namespace zelvar
