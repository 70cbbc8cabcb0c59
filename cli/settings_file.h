#pragma once

#include <optional>
#include <string>

#include "config/config_image.h"
#include "config/device_settings.h"

namespace zelvar::cli {

// Loads a .cfg into a default record, as the window does after start. Prints the reader's
// message on failure; returns kExitOk or kExitInputError.
int loadSettingsFile(const std::string& path, DeviceSettings& settings,
                     CalculatorInputs& calculator);
int loadSettingsFile(const std::string& path, DeviceSettings& settings);

// Builds the image; on failure prints the window's message and the reason and returns
// kExitBuildFailed.
int buildImage(DeviceSettings& settings, ConfigImage& image);

// Writes bytes to stdout unchanged, or where `outputPath` points: a regular file is replaced
// atomically, a device, pipe or descriptor name is written in place.
int writeOutput(const std::optional<std::string>& outputPath, std::string_view bytes);

}  // namespace zelvar::cli
