#include "settings_file.h"

#include "command.h"
#include "common/ascii.h"
#include "files/cfg_file.h"
#include "files/output_file.h"

namespace zelvar::cli {

int loadSettingsFile(std::ostream& err, const std::string& path, DeviceSettings& settings,
                     CalculatorInputs& calculator) {
    settings = defaultSettings();
    calculator = CalculatorInputs{};
    LoadResult result = loadConfigFile(path, settings, calculator);
    if (!result) {
        err << "zelvar-cli: " << escapedControls(result.error().reason) << "\n";
        return kExitInputError;
    }
    return kExitOk;
}

int loadSettingsFile(std::ostream& err, const std::string& path, DeviceSettings& settings) {
    CalculatorInputs calculator;
    return loadSettingsFile(err, path, settings, calculator);
}

int buildImage(std::ostream& err, DeviceSettings& settings, ConfigImage& image) {
    BuildResult result = buildConfigImage(settings, image);
    if (result)
        return kExitOk;
    err << kBuildFailedMessage << "\n";
    err << fieldName(result.error().field) << ": " << escapedControls(result.error().reason)
        << "\n";
    return kExitBuildFailed;
}

int writeOutput(const CommandLineIo& io, const std::optional<std::string>& outputPath,
                std::string_view bytes) {
    if (!outputPath) {
        // The program checks that stdout took it.
        io.out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return kExitOk;
    }
    Result<> status = writeOutputFile(*outputPath, bytes);
    if (!status) {
        io.err << "zelvar-cli: " << escapedControls(status.error().reason) << "\n";
        return kExitInputError;
    }
    return kExitOk;
}

}  // namespace zelvar::cli
