#pragma once

#include <filesystem>
#include <string>

#include "config/device_settings.h"
#include "files/file_status.h"

namespace zelvar {

struct CfgText {
    bool ok = true;
    std::string text;    // the whole file, 12 CR LF-ended lines
    std::string reason;  // why it could not be made
};

// The settings and the calculator's inputs as the bytes of a .cfg file.
CfgText writeConfigText(const DeviceSettings& settings, const CalculatorInputs& calculator);

// Writes the .cfg into a temporary file beside `path` and renames it over `path` only when it
// is complete, so a failed save never destroys an existing file.
FileStatus saveConfigFile(const std::filesystem::path& path, const DeviceSettings& settings,
                          const CalculatorInputs& calculator);

}  // namespace zelvar
