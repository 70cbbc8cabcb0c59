#include "settings_file.h"

#include <iostream>

#include "command.h"
#include "common/ascii.h"
#include "files/cfg_file.h"
#include "files/output_file.h"

namespace zelvar::cli {

int loadSettingsFile(const std::string& path, DeviceSettings& settings,
                     CalculatorInputs& calculator) {
    settings = defaultSettings();
    calculator = CalculatorInputs{};
    LoadResult result = loadConfigFile(path, settings, calculator);
    if (!result) {
        std::cerr << "zelvar-cli: " << escapedControls(result.error().reason) << "\n";
        return kExitInputError;
    }
    return kExitOk;
}

int loadSettingsFile(const std::string& path, DeviceSettings& settings) {
    CalculatorInputs calculator;
    return loadSettingsFile(path, settings, calculator);
}

int buildImage(DeviceSettings& settings, ConfigImage& image) {
    BuildResult result = buildConfigImage(settings, image);
    if (result)
        return kExitOk;
    std::cerr << kBuildFailedMessage << "\n";
    std::cerr << fieldName(result.error().field) << ": " << result.error().reason << "\n";
    return kExitBuildFailed;
}

int writeOutput(const std::optional<std::string>& outputPath, std::string_view bytes) {
    if (!outputPath) {
        // The command runner checks that stdout took it.
        std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return kExitOk;
    }
    Result<> status = writeOutputFile(*outputPath, bytes);
    if (!status) {
        std::cerr << "zelvar-cli: " << status.error().reason << "\n";
        return kExitInputError;
    }
    return kExitOk;
}

}  // namespace zelvar::cli
