#include <CLI/App.hpp>
#include <memory>

#include "command.h"
#include "hex.h"
#include "settings_file.h"
#include "text/translation.h"
#include "transfer/block_framing.h"

namespace zelvar::cli {
namespace {

struct ImageOptions {
    std::string file;
    bool wire = false;
    bool raw = false;
};

int runImage(const CommandLineIo& io, const ImageOptions& options) {
    DeviceSettings settings;
    if (int status = loadSettingsFile(io.err, options.file, settings))
        return status;
    ConfigImage image{};
    if (int status = buildImage(io.err, settings, image))
        return status;

    WireBytes wire = wireBytes(image);
    std::span<const std::uint8_t> chosen =
        options.wire ? std::span<const std::uint8_t>(wire) : std::span<const std::uint8_t>(image);
    std::string bytes(reinterpret_cast<const char*>(chosen.data()), chosen.size());
    return writeOutput(io, std::nullopt, options.raw ? bytes : toHex(bytes) + "\n");
}

}  // namespace

Action declareImage(CLI::App& command) {
    auto options = std::make_shared<ImageOptions>();
    command.footer(std::string(translated(
        "cli help",
        "Loads FILE.cfg into a default record, builds the tracker's image and prints its\n"
        "164 bytes as one line of lowercase hex.\n"
        "Exit 0 built, 1 the build failed, 2 the file could not be loaded.")));
    command.add_option("FILE.cfg", options->file)->required();
    command.add_flag(
        "--wire", options->wire,
        std::string(translated("cli help", "the 170 bytes that go on the serial line instead")));
    command.add_flag("--raw", options->raw,
                     std::string(translated("cli help", "the bytes themselves instead of hex")));
    return [options](const CommandLineIo& io) { return runImage(io, *options); };
}

}  // namespace zelvar::cli
