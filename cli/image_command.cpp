#include <iostream>

#include "arguments.h"
#include "command.h"
#include "hex.h"
#include "settings_file.h"
#include "transfer/block_framing.h"

namespace zelvar::cli {
namespace {

constexpr std::string_view kUsage = "zelvar-cli image FILE.cfg [--wire] [--raw]";

int run(std::span<const std::string_view> args) {
    Arguments parsed = parseArguments(args, {"--help", "--wire", "--raw"}, {});
    if (parsed.has("--help")) {
        std::cout << "usage: " << kUsage
                  << "\n\nLoads FILE.cfg into a default record, builds the tracker's image and "
                     "prints its\n164 bytes as one line of lowercase hex.\n"
                     "  --wire  the 170 bytes that go on the serial line instead\n"
                     "  --raw   the bytes themselves instead of hex\n"
                     "Exit 0 built, 1 the build failed, 2 the file could not be loaded.\n";
        return kExitOk;
    }
    if (!parsed.error.empty())
        return usageError(parsed.error, kUsage);
    if (parsed.positionals.size() != 1)
        return usageError("expected one FILE.cfg", kUsage);

    DeviceSettings settings;
    if (int status = loadSettingsFile(parsed.positionals[0], settings))
        return status;
    ConfigImage image{};
    if (int status = buildImage(settings, image))
        return status;

    WireBytes wire = wireBytes(image);
    std::span<const std::uint8_t> chosen = parsed.has("--wire")
                                               ? std::span<const std::uint8_t>(wire)
                                               : std::span<const std::uint8_t>(image);
    std::string bytes(reinterpret_cast<const char*>(chosen.data()), chosen.size());
    return writeOutput(nullptr, parsed.has("--raw") ? bytes : toHex(bytes) + "\n");
}

const bool registered = registerCommand({"image", "build the tracker's image from a .cfg", &run});

}  // namespace
}  // namespace zelvar::cli
