#include "config/image_description.h"

#include "config/text_number.h"

namespace zelvar {
namespace {

namespace at = image_offset;

std::string onOff(bool on) {
    return on ? "on" : "off";
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string every(std::uint8_t tens) {
    return "every " + std::to_string(tens * 10) + " s";
}

}  // namespace

std::vector<TrackerSetting> describeImage(const ConfigImage& image, const DecodedImage& decoded) {
    const DeviceSettings& s = decoded.settings;
    const auto wholeNumber = [](const std::string& digits) {
        return std::to_string(static_cast<int>(leadingNumber(digits)));
    };
    std::vector<TrackerSetting> rows = {
        {"TX delay",
         wholeNumber(s.numFlagsAuto) + " ms (" + std::to_string(decoded.txDelayFlags) + " flags)",
         at::kTxDelay, 1},
        {"Msg retries", std::to_string(image[at::kMsgRepeat]), at::kMsgRepeat, 1},
        {"Mic-E msg", std::to_string(s.micEMsg) + " " + std::string(kMicEMessages[s.micEMsg]),
         at::kOptions, 1},
        {"Auto answer", onOff(s.autoReply), at::kOptions, 1},
        {"300 Baud modem", onOff(s.baud300), at::kOptions, 1},
        {"Symbol", quoted(s.symbol) + (s.altTable ? " (alternate table \\)" : " (primary table /)"),
         at::kSymbol, 2},
        {"GPS acquisition",
         decoded.gpsless
             ? "GPSless Mode (byte 5 = " + std::to_string(image[at::kGpsCheckTime]) + ")"
             : every(image[at::kGpsCheckTime]),
         at::kGpsCheckTime, 1},
        {"Acquisition timeout", std::to_string(image[at::kGpsAcqTime] * 100) + " ms",
         at::kGpsAcqTime, 1},
    };
    for (std::size_t band = 0; band < kSpeedBands.size(); ++band) {
        rows.push_back({std::string(kSpeedBands[band]), every(image[at::kSpeedTable + band]),
                        at::kSpeedTable + band, 1});
    }
    const std::string spare = decoded.spareNonZero > 0
                                  ? std::to_string(decoded.spareNonZero) + " not zero"
                                  : std::string("all 0");
    rows.insert(rows.end(),
                {
                    {"Manual timing", every(image[at::kManualTime]), at::kManualTime, 1},
                    {"Comment every", std::to_string(image[at::kBcnEvery] & 0x7F) + " tx",
                     at::kBcnEvery, 1},
                    {"Show received pos.", onOff(!s.rxPosition), at::kBcnEvery, 1},
                    {"My callsign", quoted(s.myCall), at::kMyCall, at::kPath1 - at::kMyCall},
                    {"APRS path", s.aprsPath.empty() ? "(none)" : quoted(s.aprsPath), at::kPath1,
                     at::kBeacon - at::kPath1},
                    {"Comment", quoted(s.beacon), at::kBeacon, at::kDestCall - at::kBeacon},
                    {"Message to", quoted(s.destCall), at::kDestCall, at::kAprsMsg - at::kDestCall},
                    {"Message", quoted(s.aprsMsg), at::kAprsMsg, at::kAutoReply - at::kAprsMsg},
                    {"Auto answer text", quoted(std::string(kAutoReplyPrefix) + s.autoReplyMsg),
                     at::kAutoReply, at::kSpare - at::kAutoReply},
                    {"Spare bytes", spare, at::kSpare, kImageSize - at::kSpare},
                });
    return rows;
}

}  // namespace zelvar
