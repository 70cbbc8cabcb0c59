#pragma once

#include <filesystem>

#include "cfg/cfg_reader.h"
#include "common/result.h"
#include "config/device_settings.h"

namespace zelvar {

// Loads the .cfg at `path` into the settings and the calculator's inputs. Anything but a regular
// file is refused before it is opened; a failure's reason starts with the path.
LoadResult loadConfigFile(const std::filesystem::path& path, DeviceSettings& settings,
                          CalculatorInputs& calculator);

// Writes the .cfg into a temporary file beside `path` and renames it over `path` only when it
// is complete, so a failed save never destroys an existing file.
Result<> saveConfigFile(const std::filesystem::path& path, const DeviceSettings& settings,
                        const CalculatorInputs& calculator);

}  // namespace zelvar
