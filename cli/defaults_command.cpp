#include <iostream>

#include "arguments.h"
#include "command.h"
#include "files/cfg_writer.h"
#include "settings_file.h"

namespace zelvar::cli {
namespace {

constexpr std::string_view kUsage = "zelvar-cli defaults [-o FILE]";

int run(std::span<const std::string_view> args) {
    Arguments parsed = parseArguments(args, {"--help"}, {"-o"});
    if (parsed.has("--help")) {
        std::cout << "usage: " << kUsage
                  << "\n\nWrites the factory-default .cfg, byte for byte what Save writes right "
                     "after start,\nto FILE or to stdout.\n";
        return kExitOk;
    }
    if (!parsed.error.empty())
        return usageError(parsed.error, kUsage);
    if (!parsed.positionals.empty())
        return usageError("unexpected argument", kUsage);
    CfgText text = writeConfigText(defaultSettings(), CalculatorInputs{});
    return writeOutput(parsed.option("-o"), text.text);
}

const bool registered = registerCommand({"defaults", "print the factory-default .cfg", &run});

}  // namespace
}  // namespace zelvar::cli
