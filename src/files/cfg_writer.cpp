#include "files/cfg_writer.h"

#include <optional>

#include "config/text_number.h"
#include "files/atomic_file.h"

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

std::string line(std::initializer_list<std::string> items) {
    std::string out;
    for (const std::string& item : items) {
        if (!out.empty())
            out += ',';
        out += item;
    }
    out += kLineEnd;
    return out;
}

}  // namespace

CfgText writeConfigText(const DeviceSettings& s, const CalculatorInputs& c) {
    // The comment interval travels as a number with the received-position flag in bit 7.
    std::optional<double> bcnEvery = strictNumber(s.bcnEvery);
    if (!bcnEvery) {
        return {false,
                {},
                "The comment interval \"" + s.bcnEvery + "\" (" +
                    std::string(fieldLabel(Field::BcnEvery)) + ") is not a number"};
    }
    std::string text = line({textItem(s.commPort), textItem(s.numFlagsAuto), textItem(s.msgRepeat),
                             packedOptions(s), textItem(s.symbol), std::to_string(s.altTable)});
    for (const std::string& interval : s.speedTable)
        text += line({textItem(interval)});
    text += line({textItem(s.manualTime), formatPlainNumber(*bcnEvery + 128.0 * s.rxPosition),
                  textItem(s.gpsAcqTime), textItem(s.myCall), textItem(s.aprsPath),
                  textItem(s.beacon), textItem(s.destCall), textItem(s.aprsMsg)});
    text += line({textItem(c.latitude), textItem(c.longitude), std::to_string(c.centChecked),
                  textItem(c.altitude), std::to_string(c.altitudeChecked),
                  c.normalForm ? "#TRUE#" : "#FALSE#"});
    text += line({textItem(s.autoReplyMsg)});
    text += line({std::to_string(s.baudRate)});
    return {true, std::move(text), {}};
}

FileStatus saveConfigFile(const std::filesystem::path& path, const DeviceSettings& settings,
                          const CalculatorInputs& calculator) {
    CfgText content = writeConfigText(settings, calculator);
    if (!content.ok)
        return FileStatus::failure(content.reason);
    return writeFileAtomically(path, content.text);
}

}  // namespace zelvar
