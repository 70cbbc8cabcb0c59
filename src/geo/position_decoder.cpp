#include "geo/position_decoder.h"

#include <cmath>
#include <cstdint>

#include "cfg/cfg_encoding.h"
#include "common/ascii.h"
#include "config/text_number.h"
#include "geo/coordinate_conversion.h"
#include "text/translation.h"

namespace zelvar {
namespace {

using Decoded = Result<DecodedPosition>;

constexpr std::size_t kNormalLength = 20;
constexpr std::size_t kAltitudeLength = 29;
constexpr std::size_t kCompressedLength = 14;
constexpr double kLatitudeScale = 380926;
constexpr double kLongitudeScale = 190463;
constexpr double kAltitudeBase = 1.002;
constexpr std::uint32_t kHighestCompressed = 68566680;  // 180 degrees at either scale

// A piece of the beacon in a text: the tracker's Latin-1 in the text's UTF-8, and its hidden
// characters by their codes. The translated words around it are UTF-8 already.
std::string quoted(std::string_view piece) {
    return latin1ToUtf8(escapedControls(piece, {}, TextBytes::Latin1));
}

Decoded refuse(const std::string& why) {
    return failure(withArguments(translated("position decoder", "%1: %2"),
                                 {translated("position decoder", kNotACalculatorPosition), why}));
}

// The value of `text` when every character is a digit.
std::optional<int> digits(std::string_view text) {
    int value = 0;
    for (char c : text) {
        if (!isAsciiDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

bool isTableChar(char c) {
    return c == '/' || c == '\\';
}

// "DDMM.hhN" or "DDDMM.hhE": decimal degrees, or nothing when the shape, the minutes or the
// limit are wrong.
std::optional<double> uncompressed(std::string_view text, std::size_t degreeDigits, int limit,
                                   char positive, char negative) {
    if (text.size() != degreeDigits + 6 || text[degreeDigits + 2] != '.') {
        return std::nullopt;
    }
    const std::optional<int> degrees = digits(text.substr(0, degreeDigits));
    const std::optional<int> minutes = digits(text.substr(degreeDigits, 2));
    const std::optional<int> hundredths = digits(text.substr(degreeDigits + 3, 2));
    const char hemisphere = text.back();
    if (!degrees || !minutes || !hundredths || *minutes >= 60 ||
        (hemisphere != positive && hemisphere != negative)) {
        return std::nullopt;
    }
    const int total = *degrees * 6000 + *minutes * 100 + *hundredths;  // hundredths of a minute
    if (total > limit * 6000) {
        return std::nullopt;
    }
    const double value = total / 6000.0;
    return hemisphere == negative ? -value : value;
}

// "/A=" and six digits, or "-" and five: the feet.
std::optional<double> altitudeComment(std::string_view text) {
    if (!text.starts_with("/A=")) {
        return std::nullopt;
    }
    std::string_view feet = text.substr(3);
    const bool negative = feet.front() == '-';
    const std::optional<int> value = digits(negative ? feet.substr(1) : feet);
    if (!value || (negative && *value == 0)) {
        return std::nullopt;
    }
    return negative ? -*value : *value;
}

std::optional<std::uint32_t> base91Value(std::string_view text) {
    std::uint32_t value = 0;
    for (char c : text) {
        if (c < '!' || c > '{') {
            return std::nullopt;
        }
        value = value * 91 + static_cast<std::uint32_t>(c - '!');
    }
    return value;
}

Decoded normal(std::string_view text) {
    DecodedPosition position;
    const std::optional<double> latitude = uncompressed(text.substr(1, 8), 2, 90, 'N', 'S');
    if (!latitude) {
        return refuse(withArguments(
            translated("position decoder",
                       "the latitude \"%1\" is not DDMM.hh with N or S within 90 degrees"),
            {quoted(text.substr(1, 8))}));
    }
    const std::optional<double> longitude = uncompressed(text.substr(10, 9), 3, 180, 'E', 'W');
    if (!longitude) {
        return refuse(withArguments(
            translated("position decoder",
                       "the longitude \"%1\" is not DDDMM.hh with E or W within 180 degrees"),
            {quoted(text.substr(10, 9))}));
    }
    position.latitude = *latitude;
    position.longitude = *longitude;
    position.table = text[9];
    position.symbol = text[19];
    if (text.size() == kAltitudeLength) {
        position.feet = altitudeComment(text.substr(kNormalLength));
        if (!position.feet) {
            return refuse(withArguments(
                translated("position decoder", "\"%1\" is not /A= with six digits of feet"),
                {quoted(text.substr(kNormalLength))}));
        }
    }
    return position;
}

Decoded compressed(std::string_view text) {
    DecodedPosition position;
    position.form = PositionForm::Compressed;
    position.table = text[1];
    position.symbol = text[10];
    const std::optional<std::uint32_t> y = base91Value(text.substr(2, 4));
    const std::optional<std::uint32_t> x = base91Value(text.substr(6, 4));
    if (!y || !x || *y > kHighestCompressed || *x > kHighestCompressed) {
        return refuse(withArguments(
            translated("position decoder",
                       "\"%1\" are not eight base-91 digits of a latitude and a longitude"),
            {quoted(text.substr(2, 8))}));
    }
    position.latitude = 90 - *y / kLatitudeScale;
    position.longitude = *x / kLongitudeScale - 180;
    const std::string_view tail = text.substr(11);
    if (tail.back() == 'Q') {
        const std::optional<std::uint32_t> cs = base91Value(tail.substr(0, 2));
        if (!cs) {
            return refuse(withArguments(
                translated("position decoder", "\"%1\" are not two base-91 digits of an altitude"),
                {quoted(tail.substr(0, 2))}));
        }
        position.feet = std::pow(kAltitudeBase, *cs);
    } else if (tail != "  _") {
        return refuse(withArguments(
            translated("position decoder",
                       "it ends in \"%1\", neither \"  _\" nor an altitude and \"Q\""),
            {quoted(tail)}));
    }
    return position;
}

// "N49.30.00": the calculator's own notation, hemisphere first.
std::string cent(double degrees, char positive, char negative) {
    return (degrees < 0 ? negative : positive) + *degToCent(std::fabs(degrees));
}

}  // namespace

Result<DecodedPosition> decodePosition(std::string_view text) {
    if (text.size() != kNormalLength && text.size() != kAltitudeLength &&
        text.size() != kCompressedLength) {
        return refuse(withArguments(
            translated("position decoder", "14, 20 or 29 characters expected, not %1"),
            {std::to_string(text.size())}));
    }
    if (text.front() != '=') {
        return refuse(std::string(translated("position decoder", "it does not start with \"=\"")));
    }
    const bool isCompressed = text.size() == kCompressedLength;
    const char table = isCompressed ? text[1] : text[9];
    const char symbol = isCompressed ? text[10] : text[19];
    if (!isTableChar(table)) {
        return refuse(withArguments(
            translated("position decoder", "the symbol table '%1' is neither / nor \\"),
            {quoted(std::string(1, table))}));
    }
    if (!isSymbolChar(symbol)) {
        return refuse(
            std::string(translated("position decoder", "the symbol is a control character")));
    }
    return isCompressed ? compressed(text) : normal(text);
}

std::string describePosition(const DecodedPosition& position) {
    const std::string where =
        cent(position.latitude, 'N', 'S') + " " + cent(position.longitude, 'E', 'W');
    const std::string symbol = quoted(std::string{position.table, position.symbol});
    if (!position.feet)
        return withArguments(translated("position decoder", "%1, symbol %2"), {where, symbol});
    const auto feet = static_cast<std::int32_t>(roundHalfEven(*position.feet));
    return withArguments(translated("position decoder", "%1, symbol %2, altitude %3 ft (%4 m)"),
                         {where, symbol, std::to_string(feet), feetAsMetres(feet)});
}

}  // namespace zelvar
