#include <CLI/App.hpp>
#include <memory>
#include <optional>

#include "command.h"
#include "files/cfg_writer.h"
#include "settings_file.h"

namespace zelvar::cli {
namespace {

struct Options {
    std::optional<std::string> output;
};

int run(const Options& options) {
    return writeOutput(options.output,
                       writeConfigText(defaultSettings(), CalculatorInputs{}).value());
}

}  // namespace

Action declareDefaults(CLI::App& command) {
    auto options = std::make_shared<Options>();
    command.footer(
        "Writes the factory-default .cfg, byte for byte what Save writes right after start,\n"
        "to FILE or to stdout.");
    command.add_option("-o", options->output, "write to FILE instead of stdout")->type_name("FILE");
    return [options] { return run(*options); };
}

}  // namespace zelvar::cli
