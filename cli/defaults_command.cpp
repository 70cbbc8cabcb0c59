#include <CLI/App.hpp>
#include <memory>
#include <optional>

#include "cfg/cfg_writer.h"
#include "command.h"
#include "settings_file.h"
#include "text/translation.h"

namespace zelvar::cli {
namespace {

struct DefaultsOptions {
    std::optional<std::string> output;
};

int runDefaults(const CommandLineIo& io, const DefaultsOptions& options) {
    return writeOutput(io, options.output,
                       writeConfigText(defaultSettings(), CalculatorInputs{}).value());
}

}  // namespace

Action declareDefaults(CLI::App& command) {
    auto options = std::make_shared<DefaultsOptions>();
    command.footer(std::string(translated(
        "cli help",
        "Writes the factory-default .cfg, byte for byte what Save writes right after start,\n"
        "to FILE or to stdout.")));
    command
        .add_option(
            "-o", options->output,
            std::string(translated("cli help", "write to FILE instead of stdout (- is stdout)")))
        ->type_name("FILE");
    return [options](const CommandLineIo& io) { return runDefaults(io, *options); };
}

}  // namespace zelvar::cli
