#include <CLI/App.hpp>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>

#include "command.h"
#include "common/ascii.h"
#include "files/regular_file.h"
#include "hex.h"
#include "setting_rows.h"
#include "transfer/block_framing.h"

namespace zelvar::cli {
namespace {

// Far more than any image in hex; anything bigger is not one.
constexpr std::size_t kMaxInputBytes = std::size_t{64} * 1024;

struct Options {
    std::string file;
};

Result<std::string> readInput(const std::string& path) {
    if (Result<> regular = checkRegularFile(path); !regular)
        return tl::unexpected(regular.error());
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return failure(describeFileError(path, errno));
    std::string data(kMaxInputBytes + 1, '\0');
    in.read(data.data(), static_cast<std::streamsize>(data.size()));
    if (in.bad())
        return failure(describeFileError(path, errno));
    data.resize(static_cast<std::size_t>(in.gcount()));
    if (data.size() > kMaxInputBytes)
        return failure(path + ": too large for an image");
    auto fitting = [](std::size_t size) { return size == kImageSize || size == kWireSize; };
    if (std::optional<std::string> hex = fromHex(data); hex && fitting(hex->size())) {
        return *hex;
    }
    if (fitting(data.size()))
        return data;
    return failure(path + ": expected 164 image bytes or 170 wire bytes (binary or hex), found " +
                   std::to_string(data.size()) + " bytes");
}

int run(const Options& options) {
    Result<std::string> input = readInput(options.file);
    if (!input) {
        std::cerr << "zelvar-cli: " << escapedControls(input.error().reason) << "\n";
        return kExitInputError;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(input->data());
    if (input->size() == kWireSize) {
        Result<ConfigImage> wire = imageFromWire(std::span(bytes, kWireSize));
        if (!wire) {
            std::cerr << "zelvar-cli: " << options.file << ": " << wire.error().reason << "\n";
            return kExitInputError;
        }
        printGoodWire(*wire);
    } else {
        ConfigImage image{};
        std::copy(bytes, bytes + kImageSize, image.begin());
        std::cout << "Image bytes: 164\n";
        printImageSettings(image);
    }
    return kExitOk;
}

}  // namespace

Action declareDecode(CLI::App& command) {
    auto options = std::make_shared<Options>();
    command.footer(
        "Reads 164 image bytes or 170 wire bytes, binary or hex as `image` prints them,\n"
        "checks the lead-ins and checksums of wire bytes and prints what the tracker gets.\n"
        "Exit 2 on a wrong length or a bad checksum.");
    command.add_option("FILE", options->file)->required();
    return [options] { return run(*options); };
}

}  // namespace zelvar::cli
