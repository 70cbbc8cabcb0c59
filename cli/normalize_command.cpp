#include <CLI/App.hpp>
#include <memory>
#include <optional>
#include <ostream>

#include "cfg/cfg_writer.h"
#include "command.h"
#include "common/ascii.h"
#include "settings_file.h"
#include "text/translation.h"

namespace zelvar::cli {
namespace {

struct NormalizeOptions {
    std::string file;
    std::optional<std::string> output;
};

int runNormalize(const CommandLineIo& io, const NormalizeOptions& options) {
    DeviceSettings settings;
    CalculatorInputs calculator;
    if (int status = loadSettingsFile(io.err, options.file, settings, calculator))
        return status;
    ConfigImage image{};
    if (int status = buildImage(io.err, settings, image))
        return status;
    Result<std::string> text = writeConfigText(settings, calculator);
    if (!text) {
        io.err << "zelvar-cli: " << escapedControls(text.error().reason) << "\n";
        return kExitInputError;
    }
    return writeOutput(io, options.output, *text);
}

}  // namespace

Action declareNormalize(CLI::App& command) {
    auto options = std::make_shared<NormalizeOptions>();
    command.footer(std::string(translated(
        "cli help",
        "Loads FILE.cfg, builds the image and writes the settings as the build left them\n"
        "(raised minimums, rounded intervals, tidied callsigns) as a .cfg to OUT or stdout.\n"
        "Nothing is written when the build fails (exit 1).")));
    command.add_option("FILE.cfg", options->file)->required();
    command
        .add_option(
            "-o", options->output,
            std::string(translated("cli help", "write to OUT instead of stdout (- is stdout)")))
        ->type_name("OUT");
    return [options](const CommandLineIo& io) { return runNormalize(io, *options); };
}

}  // namespace zelvar::cli
