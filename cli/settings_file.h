#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "command_line.h"
#include "config/config_image.h"
#include "config/device_settings.h"

namespace zelvar::cli {

// Loads a .cfg into a default record, as the window does after start. Prints the reader's
// message to err on failure; returns kExitOk or kExitInputError.
int loadSettingsFile(std::ostream& err, const std::string& path, DeviceSettings& settings,
                     CalculatorInputs& calculator);
int loadSettingsFile(std::ostream& err, const std::string& path, DeviceSettings& settings);

// The window's message for a build that failed, then the field and the reason.
void printBuildFailure(std::ostream& err, const FieldFailure& failure);

// Builds the image; on failure prints the window's message and the reason to err and returns
// kExitBuildFailed.
int buildImage(std::ostream& err, DeviceSettings& settings, ConfigImage& image);

// Writes bytes to io.out unchanged (no path, or "-"), or where `outputPath` points: a regular file
// is replaced atomically, a device, pipe or descriptor name is written in place.
int writeOutput(const CommandLineIo& io, const std::optional<std::string>& outputPath,
                std::string_view bytes);

}  // namespace zelvar::cli
