#include "cfg/cfg_writer.h"

#include <algorithm>
#include <array>
#include <optional>

#include "cfg/cfg_encoding.h"
#include "cfg/cfg_layout.h"
#include "common/ascii.h"
#include "config/config_image.h"
#include "config/text_number.h"

namespace zelvar {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A double quote inside the text is written twice, so that the reader does not end the text there.
std::string textItem(std::string_view text) {
    std::string item = "\"";
    for (char c : text) {
        if (c == '"')
            item += '"';
        item += c;
    }
    item += '"';
    return item;
}

// The file format keeps the packed option byte in a 16-bit integer.
std::string packedOptions(const DeviceSettings& s) {
    auto packed = static_cast<std::int16_t>(s.micEMsg + 16 * s.autoReply + 32 * s.baud300);
    return std::to_string(packed);
}

}  // namespace

Result<std::string> writeConfigText(const DeviceSettings& s, const CalculatorInputs& c) {
    // Typed text in the Mic-E list leaves no message chosen; the loader could not place the
    // number it would give.
    if (s.micEMsg < 0 || s.micEMsg >= static_cast<int>(kMicEMessages.size())) {
        return failure(std::string(fieldLabel(Field::MicEMsg)) +
                       ": choose a Mic-E message from the list");
    }
    // The comment interval travels as a number with the received-position flag in bit 7. Load
    // takes the interval from the bits below the flag, so a number above them is saved as SEND
    // sends it (200 as 127): saved as it stands it would load as another interval and flag.
    std::optional<double> bcnEvery = strictNumber(s.bcnEvery);
    if (!bcnEvery) {
        return failure("The comment interval \"" + escapedControls(latin1ToUtf8(s.bcnEvery)) +
                       "\" (" + std::string(fieldLabel(Field::BcnEvery)) + ") is not a number");
    }
    *bcnEvery = std::min<double>(*bcnEvery, kMaxCommentEvery);
    const std::array<std::string, kCfgItemCount> items = {
        textItem(s.commPort),
        textItem(s.numFlagsAuto),
        textItem(s.msgRepeat),
        packedOptions(s),
        textItem(s.symbol),
        std::to_string(s.altTable),
        textItem(s.speedTable[0]),
        textItem(s.speedTable[1]),
        textItem(s.speedTable[2]),
        textItem(s.speedTable[3]),
        textItem(s.speedTable[4]),
        textItem(s.speedTable[5]),
        textItem(s.speedTable[6]),
        textItem(s.manualTime),
        formatPlainNumber(*bcnEvery + 128.0 * s.rxPosition),
        textItem(s.gpsAcqTime),
        textItem(s.myCall),
        textItem(s.aprsPath),
        textItem(s.beacon),
        textItem(s.destCall),
        textItem(s.aprsMsg),
        textItem(c.latitude),
        textItem(c.longitude),
        std::to_string(c.centChecked),
        textItem(c.altitude),
        std::to_string(c.altitudeChecked),
        c.normalForm ? "#TRUE#" : "#FALSE#",
        textItem(s.autoReplyMsg),
        std::to_string(s.baudRate),
    };
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].size() > kMaxCfgItemBytes) {
            return failure(std::string(kCfgItems[i].content) + ": the text is longer than " +
                           std::to_string(kMaxCfgItemBytes - 2) + " bytes with its quotes doubled");
        }
        if (i > 0)
            text += kCfgItems[i].line == kCfgItems[i - 1].line ? "," : kLineEnd;
        text += items[i];
    }
    text += kLineEnd;
    return text;
}

}  // namespace zelvar
