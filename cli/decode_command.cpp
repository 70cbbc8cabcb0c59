#include <CLI/App.hpp>
#include <cstdio>
#include <memory>
#include <ostream>

#include "cfg/cfg_encoding.h"
#include "command.h"
#include "common/ascii.h"
#include "files/regular_file.h"
#include "hex.h"
#include "setting_rows.h"
#include "text/translation.h"
#include "transfer/block_framing.h"

namespace zelvar::cli {
namespace {

// Far more than any image in hex; anything bigger is not one.
constexpr std::size_t kMaxDecodeInputBytes = std::size_t{64} * 1024;

struct DecodeOptions {
    std::string file;
};

Result<std::string> readDecodeInput(const std::string& path) {
    Result<std::string> read = readRegularFile(path, kMaxDecodeInputBytes + 1);
    if (!read)
        return tl::unexpected(read.error());
    const std::string& data = *read;
    if (data.size() > kMaxDecodeInputBytes)
        return failure(withArguments(translated("cli", "%1: too large for an image"), {path}));
    auto fitting = [](std::size_t size) { return size == kImageSize || size == kWireSize; };
    // An editor may save the hex with the UTF-8 mark in front.
    std::string_view text = data;
    if (text.starts_with(kUtf8Mark))
        text.remove_prefix(kUtf8Mark.size());
    if (std::optional<std::string> hex = fromHex(text); hex && fitting(hex->size())) {
        return *hex;
    }
    if (fitting(data.size()))
        return data;
    return failure(withArguments(
        translatedPlural("cli",
                         "%1: expected 164 image bytes or 170 wire bytes (binary or hex), found "
                         "%2 byte",
                         "%1: expected 164 image bytes or 170 wire bytes (binary or hex), found "
                         "%2 bytes",
                         data.size()),
        {path, std::to_string(data.size())}));
}

int runDecode(const CommandLineIo& io, const DecodeOptions& options) {
    Result<std::string> input = readDecodeInput(options.file);
    if (!input) {
        io.err << "zelvar-cli: " << escapedControls(input.error().reason) << "\n";
        return kExitInputError;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(input->data());
    if (input->size() == kWireSize) {
        Result<ConfigImage> wire = imageFromWire(std::span(bytes, kWireSize));
        if (!wire) {
            io.err << "zelvar-cli: " << escapedControls(options.file) << ": " << wire.error().reason
                   << "\n";
            return kExitInputError;
        }
        printGoodWire(io.out, *wire);
    } else {
        ConfigImage image{};
        std::copy(bytes, bytes + kImageSize, image.begin());
        io.out << translated("cli", "Image bytes: 164") << "\n";
        printImageSettings(io.out, image);
    }
    return kExitOk;
}

}  // namespace

Action declareDecode(CLI::App& command) {
    auto options = std::make_shared<DecodeOptions>();
    command.footer(std::string(translated(
        "cli help",
        "Reads 164 image bytes or 170 wire bytes, binary or hex as `image` prints them,\n"
        "checks the lead-ins and checksums of wire bytes and prints what the tracker gets.\n"
        "Exit 2 on a wrong length or a bad checksum.")));
    command.add_option("FILE", options->file)->required();
    return [options](const CommandLineIo& io) { return runDecode(io, *options); };
}

}  // namespace zelvar::cli
