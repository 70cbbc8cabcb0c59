#include "geo/coordinate_conversion.h"

#include <cmath>

#include "config/text_number.h"
#include "geo/text_slices.h"
#include "text/translation.h"

namespace zelvar {
namespace {

using geo_text::firstUpper;
using geo_text::lastChars;
using geo_text::middle;
using geo_text::singlePiece;

constexpr std::string_view kPrefixes = "EWSN-+";

// Sign of a coordinate text and the text without the sign character.
struct Signed {
    bool negative = false;
    std::string_view rest;
};

Signed splitSign(std::string_view text) {
    char first = firstUpper(text);
    if (first == 'S' || first == 'W' || first == '-') {
        return {true, text.substr(1)};
    }
    if (first == 'N' || first == 'E' || first == '+') {
        return {false, text.substr(1)};
    }
    return {false, text};
}

// The prefix character (upper case) when the text starts with one, and the rest.
struct Prefixed {
    std::string prefix;
    std::string_view rest;
};

Prefixed splitPrefix(std::string_view text) {
    char first = firstUpper(text);
    if (first != '\0' && kPrefixes.find(first) != std::string_view::npos) {
        return {std::string(1, first), text.substr(1)};
    }
    return {{}, text};
}

std::string padded(std::string_view zeros, std::string_view text, std::size_t width) {
    std::string joined = std::string(zeros) + std::string(text);
    return std::string(lastChars(joined, width));
}

struct Hemispheres {
    char positive;
    char negative;
    int degreeDigits;
};

Result<std::string> centToAprs(std::string_view text, Hemispheres h) {
    std::string s(text);
    char first = firstUpper(s);
    char hemisphere = h.positive;
    if (first == '-' || first == h.negative) {
        hemisphere = h.negative;
    } else if (first != '+' && first != h.positive) {
        s.insert(0, " ");  // a placeholder, so the degrees always start at the second character
    }
    std::size_t point = s.find('.', 1);
    if (point == std::string::npos) {
        return failure(withArguments(
            translated("coordinates", "no \".\" after the degrees in \"%1\""), {text}));
    }
    std::string_view degreeText = std::string_view(s).substr(1, point);
    std::optional<double> degrees = strictNumber(degreeText);
    if (!degrees || !std::isfinite(*degrees)) {
        return failure(withArguments(translated("coordinates", "degrees \"%1\" are not a number"),
                                     {degreeText}));
    }
    return formatDigits(*degrees, h.degreeDigits) + s.substr(point + 1) + hemisphere;
}

}  // namespace

std::string secToPacked(std::string_view text) {
    Prefixed p = splitPrefix(text);
    std::string nine = padded("00", p.rest, 9);  // D.MM.SS and DD.MM.SS become DDD.MM.SS
    return p.prefix + std::string(middle(nine, 1, 3)) + std::string(middle(nine, 5, 2)) +
           std::string(middle(nine, 8, 2));
}

Result<double> packedToDeg(std::string_view packed) {
    Signed sign = splitSign(packed);
    std::string seven = padded("0000000", sign.rest, 7);
    Result<float> degrees = singlePiece(middle(seven, 1, 3), translated("coordinates", "degrees"));
    Result<float> minutes = singlePiece(middle(seven, 4, 2), translated("coordinates", "minutes"));
    Result<float> seconds = singlePiece(middle(seven, 6, 2), translated("coordinates", "seconds"));
    for (const Result<float>* piece : {&degrees, &minutes, &seconds}) {
        if (!*piece) {
            return failure(piece->error().reason);
        }
    }
    double value = static_cast<double>(*minutes) / 60 + static_cast<double>(*degrees) +
                   static_cast<double>(*seconds) / 3600;
    return sign.negative ? -value : value;
}

Result<double> secToDeg(std::string_view text) {
    return packedToDeg(secToPacked(text));
}

Result<double> centToDeg(std::string_view text) {
    Signed sign = splitSign(text);
    std::size_t point = sign.rest.find('.');
    if (point == std::string_view::npos) {
        return failure(withArguments(
            translated("coordinates", "no \".\" after the degrees in \"%1\""), {text}));
    }
    Result<float> degrees =
        singlePiece(sign.rest.substr(0, point), translated("coordinates", "degrees"));
    if (!degrees) {
        return failure(degrees.error().reason);
    }
    // "30.15" after the first point: the second point is the minutes' decimal point.
    std::optional<float> minutes = geo_text::toSingle(leadingNumber(sign.rest.substr(point + 1)));
    if (!minutes) {
        return failure(withArguments(
            translated("coordinates", "minutes in \"%1\" are out of range"), {text}));
    }
    double value = static_cast<double>(*minutes) / 60 + static_cast<double>(*degrees);
    return sign.negative ? -value : value;
}

Result<std::string> degToPackedCent(double value) {
    // Within a million degrees the whole-numbered pieces are exact as 32-bit floats too.
    if (!std::isfinite(value) || std::fabs(value) > 1e6) {
        return failure(withArguments(translated("coordinates", "value %1 is not a coordinate"),
                                     {formatPlainNumber(value)}));
    }
    bool negative = value < 0;
    double a = std::fabs(value);
    double degrees = std::floor(a);
    double minutes = std::floor((a - degrees) * 60);
    double hundredths = roundHalfEven(((a - degrees) * 60 - minutes) * 100);
    if (hundredths == 100) {
        hundredths = 0;
        minutes += 1;
    }
    if (minutes == 60) {
        minutes = 0;
        degrees += 1;
    }
    return (negative ? "-" : "") + formatDigits(degrees, 3) + formatDigits(minutes, 2) +
           formatDigits(hundredths, 2);
}

std::string packedCentToCent(std::string_view packed) {
    Prefixed p = splitPrefix(packed);
    std::string seven = padded("0000000", p.rest, 7);
    std::string text = std::string(middle(seven, 1, 3)) + "." + std::string(middle(seven, 4, 2)) +
                       "." + std::string(middle(seven, 6));
    for (int i = 0; i < 2 && text.front() == '0'; ++i) {
        text.erase(0, 1);  // 045 -> 45, 007 -> 7, 000 -> 0
    }
    return p.prefix + text;
}

Result<std::string> degToCent(double value) {
    Result<std::string> packed = degToPackedCent(value);
    if (!packed) {
        return packed;
    }
    return packedCentToCent(*packed);
}

Result<std::string> centToAprsLat(std::string_view text) {
    return centToAprs(text, {'N', 'S', 2});
}

Result<std::string> centToAprsLng(std::string_view text) {
    return centToAprs(text, {'E', 'W', 3});
}

}  // namespace zelvar
