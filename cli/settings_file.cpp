#include "settings_file.h"

#include "command.h"
#include "common/ascii.h"
#include "config/shown_texts.h"
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

void printBuildFailure(std::ostream& err, const FieldFailure& failure) {
    err << shownText(ShownText::BuildFailed) << "\n";
    err << fieldName(failure.field) << ": " << escapedControls(failure.reason) << "\n";
}

int buildImage(std::ostream& err, DeviceSettings& settings, ConfigImage& image) {
    BuildResult result = buildConfigImage(settings, image);
    if (result)
        return kExitOk;
    printBuildFailure(err, result.error());
    return kExitBuildFailed;
}

int writeOutput(const CommandLineIo& io, const std::optional<std::string>& outputPath,
                std::string_view bytes) {
    // "-" is stdout, as scripts write it, rather than a file of that name.
    if (!outputPath || *outputPath == "-") {
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
