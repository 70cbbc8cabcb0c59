#include <CLI/App.hpp>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <memory>

#include "command.h"
#include "config/image_decoder.h"
#include "files/regular_file.h"
#include "hex.h"
#include "transfer/block_framing.h"

namespace zelvar::cli {
namespace {

// Far more than any image in hex; anything bigger is not one.
constexpr std::size_t kMaxInputBytes = 64 * 1024;

struct Options {
    std::string file;
};

struct Input {
    std::string bytes;
    std::string error;
};

Input readInput(const std::string& path) {
    if (FileStatus regular = checkRegularFile(path); !regular)
        return {{}, regular.message};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {{}, describeFileError(path, errno)};
    std::string data(kMaxInputBytes + 1, '\0');
    in.read(data.data(), static_cast<std::streamsize>(data.size()));
    if (in.bad())
        return {{}, describeFileError(path, errno)};
    data.resize(static_cast<std::size_t>(in.gcount()));
    if (data.size() > kMaxInputBytes)
        return {{}, path + ": too large for an image"};
    auto fitting = [](std::size_t size) { return size == kImageSize || size == kWireSize; };
    if (std::optional<std::string> hex = fromHex(data); hex && fitting(hex->size())) {
        return {*hex, {}};
    }
    if (fitting(data.size()))
        return {data, {}};
    return {{},
            path + ": expected 164 image bytes or 170 wire bytes (binary or hex), found " +
                std::to_string(data.size()) + " bytes"};
}

std::string onOff(bool on) {
    return on ? "on" : "off";
}

void row(std::string_view label, const std::string& value) {
    std::cout << std::left << std::setw(22) << label << value << "\n";
}

std::string seconds(std::uint8_t tens) {
    return "every " + std::to_string(tens * 10) + " s";
}
std::string quotedText(const std::string& text) {
    return "\"" + text + "\"";
}

void printImage(const ConfigImage& image) {
    namespace at = image_offset;
    DecodedImage decoded = decodeImage(image);
    const DeviceSettings& s = decoded.settings;
    row("TX delay", std::to_string(std::stoi(s.numFlagsAuto)) + " ms (" +
                        std::to_string(decoded.txDelayFlags) + " flags)");
    row("Msg retries", std::to_string(image[at::kMsgRepeat]));
    row("Mic-E msg", std::to_string(s.micEMsg) + " " + std::string(kMicEMessages[s.micEMsg]));
    row("Auto answer", onOff(s.autoReply));
    row("300 Baud modem", onOff(s.baud300));
    row("Symbol",
        quotedText(s.symbol) + (s.altTable ? " (alternate table \\)" : " (primary table /)"));
    if (decoded.gpsless) {
        row("GPS acquisition",
            "GPSless Mode (byte 5 = " + std::to_string(image[at::kGpsCheckTime]) + ")");
    } else {
        row("GPS acquisition", seconds(image[at::kGpsCheckTime]));
    }
    row("Acquisition timeout", std::to_string(image[at::kGpsAcqTime] * 100) + " ms");
    for (std::size_t band = 0; band < kSpeedBands.size(); ++band) {
        row(kSpeedBands[band], seconds(image[at::kSpeedTable + band]));
    }
    row("Manual timing", seconds(image[at::kManualTime]));
    row("Comment every", std::to_string(image[at::kBcnEvery] & 0x7F) + " tx");
    row("Show received pos.", onOff(!s.rxPosition));
    row("My callsign", quotedText(s.myCall));
    row("APRS path", s.aprsPath.empty() ? "(none)" : quotedText(s.aprsPath));
    row("Comment", quotedText(s.beacon));
    row("Message to", quotedText(s.destCall));
    row("Message", quotedText(s.aprsMsg));
    row("Auto answer text", quotedText(std::string(kAutoReplyPrefix) + s.autoReplyMsg));
    if (decoded.spareNonZero > 0) {
        row("Spare bytes", std::to_string(decoded.spareNonZero) + " not zero");
    }
}

int run(const Options& options) {
    Input input = readInput(options.file);
    if (!input.error.empty()) {
        std::cerr << "zelvar-cli: " << input.error << "\n";
        return kExitInputError;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(input.bytes.data());
    ConfigImage image{};
    if (input.bytes.size() == kWireSize) {
        WireImage wire = imageFromWire(std::span(bytes, kWireSize));
        if (!wire.ok) {
            std::cerr << "zelvar-cli: " << options.file << ": " << wire.reason << "\n";
            return kExitInputError;
        }
        image = wire.image;
        std::cout << "Wire bytes: 170, lead-ins and checksums correct\n";
    } else {
        std::copy(bytes, bytes + kImageSize, image.begin());
        std::cout << "Image bytes: 164\n";
    }
    printImage(image);
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
