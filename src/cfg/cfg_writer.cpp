#include "cfg/cfg_writer.h"

#include <algorithm>
#include <optional>

#include "cfg/cfg_encoding.h"
#include "cfg/cfg_layout.h"
#include "common/ascii.h"
#include "config/config_image.h"
#include "config/text_number.h"
#include "text/translation.h"

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
    auto packed = static_cast<std::int16_t>(s.micEMessage + 16 * s.autoAnswerOn + 32 * s.modem300);
    return std::to_string(packed);
}

}  // namespace

Result<std::string> writeConfigText(const DeviceSettings& s, const CalculatorInputs& c) {
    // Typed text in the Mic-E list leaves no message chosen; the loader could not place the
    // number it would give.
    if (s.micEMessage < 0 || s.micEMessage >= static_cast<int>(kMicEMessages.size())) {
        return failure(withArguments(translated("cfg writer", "%1: choose a Mic-E message from the list"),
                                     {fieldLabel(Field::MicEMessage)}));
    }
    // The comment interval travels as a number with the received-position flag in bit 7. Load
    // takes the interval from the bits below the flag, so a number above them is saved as SEND
    // sends it (200 as 127): saved as it stands it would load as another interval and flag.
    std::optional<double> bcnEvery = strictNumber(s.commentEvery);
    if (!bcnEvery) {
        return failure(
            withArguments(translated("cfg writer", "The comment interval \"%1\" (%2) is not a number"),
                          {escapedControls(latin1ToUtf8(s.commentEvery)),
                           fieldLabel(Field::CommentEvery)}));
    }
    *bcnEvery = std::min<double>(*bcnEvery, *fieldRow(Field::CommentEvery).image.most);
    const auto itemOf = [&](const CfgItemPlace& place) -> std::string {
        if (!place.field) {
            switch (place.calculatorKind) {
                case CalculatorCfgKind::Text:
                    return textItem(c.*place.text);
                case CalculatorCfgKind::CheckState:
                    return std::to_string(c.*place.number);
                case CalculatorCfgKind::Truth:
                    break;
            }
            return c.normalForm ? "#TRUE#" : "#FALSE#";
        }
        const Field field = place.field->field;
        switch (place.field->cfg.kind) {
            case CfgKind::Text:
                return textItem(*fieldText(s, field));
            case CfgKind::CheckState:
            case CfgKind::ListIndex:
                return std::to_string(*fieldNumber(s, field));
            case CfgKind::Options:
                return packedOptions(s);
            case CfgKind::CommentAndFlag:
                break;
        }
        return formatPlainNumber(*bcnEvery + 128.0 * s.hideReceivedPositions);
    };
    std::string text;
    const CfgItemPlace* previous = nullptr;
    for (const CfgItemPlace& place : cfgItems()) {
        const std::string item = itemOf(place);
        if (item.size() > kMaxCfgItemBytes) {
            return failure(withArguments(
                translated("cfg writer", "%1: the text is longer than %2 bytes with its quotes doubled"),
                {translated(kCfgItemContext, place.content),
                 std::to_string(kMaxCfgItemBytes - 2)}));
        }
        if (previous)
            text += place.line == previous->line ? "," : kLineEnd;
        text += item;
        previous = &place;
    }
    text += kLineEnd;
    return text;
}

}  // namespace zelvar
