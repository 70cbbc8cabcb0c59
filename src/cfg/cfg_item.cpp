#include "cfg/cfg_item.h"

#include <cstdint>
#include <limits>

#include "config/text_number.h"

namespace zelvar {
namespace {

constexpr std::string_view kTrueWord = "#TRUE#";
constexpr std::string_view kFalseWord = "#FALSE#";

std::optional<int> toInteger16(double value) {
    double rounded = roundHalfEven(value);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max())) {
        return std::nullopt;
    }
    return static_cast<int>(rounded);
}

}  // namespace

CfgItem classifyBareItem(std::string text) {
    CfgItem item;
    if (text.empty())
        return item;
    if (text == kTrueWord || text == kFalseWord) {
        item.kind = CfgItem::Kind::Truth;
        item.truth = text == kTrueWord;
    } else if (std::optional<double> number = strictNumber(text)) {
        item.kind = CfgItem::Kind::Number;
        item.number = *number;
    } else {
        item.kind = CfgItem::Kind::Text;
    }
    item.text = std::move(text);
    return item;
}

std::string itemAsText(const CfgItem& item) {
    // An unquoted 0600 is a number and reads back as "600".
    if (item.kind == CfgItem::Kind::Number)
        return formatPlainNumber(item.number);
    return item.text;
}

std::optional<int> itemAsInteger(const CfgItem& item) {
    switch (item.kind) {
        case CfgItem::Kind::Empty:
            return 0;
        case CfgItem::Kind::Number:
            return toInteger16(item.number);
        case CfgItem::Kind::Truth:
            return item.truth ? -1 : 0;
        case CfgItem::Kind::Text:
            if (std::optional<double> number = strictNumber(item.text))
                return toInteger16(*number);
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<int> itemLeadingInteger(const CfgItem& item) {
    return toInteger16(leadingNumber(item.text));
}

std::optional<bool> itemAsTruth(const CfgItem& item) {
    switch (item.kind) {
        case CfgItem::Kind::Empty:
            return false;
        case CfgItem::Kind::Truth:
            return item.truth;
        case CfgItem::Kind::Number:
            return item.number != 0;
        case CfgItem::Kind::Text:
            if (std::optional<double> number = strictNumber(item.text))
                return *number != 0;
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace zelvar
