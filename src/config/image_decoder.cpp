#include "config/image_decoder.h"

#include <algorithm>

#include "config/text_number.h"

namespace zelvar {
namespace {

namespace at = image_offset;

constexpr std::size_t kCallsignWidth = 6;
constexpr std::uint8_t kSsidZero = '0';

std::string textAt(const ConfigImage& image, std::size_t start) {
    std::string text;
    for (std::size_t i = start; i < image.size() && image[i] != 0; ++i) {
        text.push_back(static_cast<char>(image[i]));
    }
    return text;
}

// A callsign entry as the builder writes it back: trimmed call, "-SSID" unless it is 0.
std::string callsignAt(const ConfigImage& image, std::size_t start) {
    std::string call(reinterpret_cast<const char*>(&image[start]), kCallsignWidth);
    call = std::string(trimSpaces(call));
    int ssid = image[start + kCallsignWidth] - kSsidZero;
    if (ssid > 0)
        call += "-" + std::to_string(ssid);
    return call;
}

std::string tensOfSeconds(std::uint8_t byte, int digits) {
    return formatDigits(byte * 10, digits);
}

}  // namespace

DecodedImage decodeImage(const ConfigImage& image) {
    DecodedImage decoded;
    DeviceSettings& s = decoded.settings;
    applyDefaults(s);

    decoded.txDelayFlags = image[at::kTxDelay];
    s.numFlagsAuto = formatDigits(image[at::kTxDelay] / 0.15, 3);
    s.msgRepeat = formatDigits(image[at::kMsgRepeat], 2);
    std::uint8_t options = image[at::kOptions];
    s.micEMsg = options & 0x07;
    s.autoReply = (options & kOptionAutoReply) != 0;
    s.baud300 = (options & kOptionBaud300) != 0;
    s.symbol = std::string(1, static_cast<char>(image[at::kSymbol]));
    s.altTable = image[at::kSymbolTable] == '\\';

    decoded.gpsless = image[at::kGpsAcqTime] == 0;
    if (!decoded.gpsless)
        s.gpsCheckTime = tensOfSeconds(image[at::kGpsCheckTime], 3);
    for (int band = 0; band < 7; ++band) {
        s.speedTable[band] = tensOfSeconds(image[at::kSpeedTable + band], band < 2 ? 4 : 3);
    }
    s.manualTime = tensOfSeconds(image[at::kManualTime], 4);
    s.gpsAcqTime = formatDigits(image[at::kGpsAcqTime], 3);
    s.bcnEvery = formatDigits(image[at::kBcnEvery] & 0x7F, 3);
    s.rxPosition = (image[at::kBcnEvery] & kRxPositionBit) != 0;

    s.myCall = callsignAt(image, at::kMyCall);
    s.aprsPath.clear();
    if (image[at::kPath1] != 0) {
        s.aprsPath = callsignAt(image, at::kPath1);
        if (image[at::kPath2] != 0)
            s.aprsPath += "," + callsignAt(image, at::kPath2);
    }
    s.beacon = textAt(image, at::kBeacon);
    s.destCall = callsignAt(image, at::kDestCall);
    s.aprsMsg = textAt(image, at::kAprsMsg);
    std::string answer = textAt(image, at::kAutoReply);
    std::string_view prefix = kAutoReplyPrefix;
    s.autoReplyMsg = answer.starts_with(prefix) ? answer.substr(prefix.size()) : answer;

    decoded.spareNonZero = static_cast<int>(
        std::count_if(image.begin() + at::kSpare, image.end(), [](auto b) { return b != 0; }));
    return decoded;
}

}  // namespace zelvar
