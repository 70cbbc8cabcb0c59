#include <iostream>

#include "arguments.h"
#include "command.h"
#include "files/cfg_writer.h"
#include "settings_file.h"

namespace zelvar::cli {
namespace {

constexpr std::string_view kUsage = "zelvar-cli normalize FILE.cfg [-o OUT]";

int run(std::span<const std::string_view> args) {
    Arguments parsed = parseArguments(args, {"--help"}, {"-o"});
    if (parsed.has("--help")) {
        std::cout << "usage: " << kUsage
                  << "\n\nLoads FILE.cfg, builds the image and writes the settings as the build "
                     "left them\n(raised minimums, rounded intervals, tidied callsigns) as a .cfg "
                     "to OUT or stdout.\nNothing is written when the build fails (exit 1).\n";
        return kExitOk;
    }
    if (!parsed.error.empty())
        return usageError(parsed.error, kUsage);
    if (parsed.positionals.size() != 1)
        return usageError("expected one FILE.cfg", kUsage);

    DeviceSettings settings;
    CalculatorInputs calculator;
    if (int status = loadSettingsFile(parsed.positionals[0], settings, calculator))
        return status;
    ConfigImage image{};
    if (int status = buildImage(settings, image))
        return status;
    CfgText text = writeConfigText(settings, calculator);
    if (!text.ok) {
        std::cerr << "zelvar-cli: " << text.reason << "\n";
        return kExitInputError;
    }
    return writeOutput(parsed.option("-o"), text.text);
}

const bool registered =
    registerCommand({"normalize", "rewrite a .cfg as a build normalises it", &run});

}  // namespace
}  // namespace zelvar::cli
