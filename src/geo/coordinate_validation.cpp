#include "geo/coordinate_validation.h"

#include "common/result.h"
#include "config/text_number.h"
#include "geo/coordinate_conversion.h"
#include "geo/text_slices.h"
#include "text/translation.h"

namespace zelvar {
namespace {

using geo_text::lastChars;

struct Twin {
    char positive;
    char negative;
    float limit;
    std::size_t secondsLengthLimit;  // Grad.Min.Sec texts must be shorter than this
};

Twin twinOf(Axis axis) {
    return axis == Axis::Latitude ? Twin{'N', 'S', 90.0f, 9} : Twin{'E', 'W', 180.0f, 10};
}

// Cuts a two-digit field and the "." in front of it off the end of `rest`.
Result<> cutField(std::string_view& rest, std::string_view what, int highest) {
    std::string_view field = lastChars(rest, 2);
    if (!isAllDigits(field) || leadingNumber(field) > highest) {
        return failure(withArguments(translated("coordinates", "%1 must be two digits up to %2"),
                                     {what, std::to_string(highest)}));
    }
    if (rest.size() < 2) {
        return failure(std::string(translated("coordinates", "too short")));
    }
    rest.remove_suffix(2);
    if (lastChars(rest, 1) != ".") {
        return failure(
            withArguments(translated("coordinates", "a \".\" must come before the %1"), {what}));
    }
    rest.remove_suffix(1);
    return {};
}

// The number after the hemisphere letter or sign.
Result<> validateNumber(std::string_view rest, const Twin& twin, Notation notation) {
    bool seconds = notation == Notation::GradMinSec;
    Result<double> value = seconds ? secToDeg(rest) : centToDeg(rest);
    if (!value) {
        return failure(value.error().reason);
    }
    std::optional<float> single = geo_text::toSingle(*value);
    if (!single || *single > twin.limit) {
        return failure(withArguments(translated("coordinates", "more than %1 degrees"),
                                     {formatPlainNumber(twin.limit)}));
    }
    if (seconds && rest.size() >= twin.secondsLengthLimit) {
        return failure(std::string(translated("coordinates", "too many degree digits")));
    }
    if (Result<> v = cutField(rest,
                              seconds ? translated("coordinates", "seconds")
                                      : translated("coordinates", "hundredths"),
                              seconds ? 59 : 99);
        !v) {
        return v;
    }
    if (Result<> v = cutField(rest, translated("coordinates", "minutes"), 59); !v) {
        return v;
    }
    if (!isAllDigits(rest)) {
        return failure(std::string(translated("coordinates", "the degrees must be digits")));
    }
    return {};
}

}  // namespace

Result<> validateCoordinate(std::string_view text, Axis axis, Notation notation) {
    Twin twin = twinOf(axis);
    std::string_view rest = text;
    char first = geo_text::firstUpper(rest);
    if (first == twin.positive || first == twin.negative || first == '+' || first == '-') {
        rest.remove_prefix(1);
    }
    // "45.30.15N", as a GPS writes it: the letter belongs in front.
    const char last = geo_text::firstUpper(lastChars(rest, 1));
    if ((last == twin.positive || last == twin.negative) && rest.size() > 1 &&
        validateNumber(rest.substr(0, rest.size() - 1), twin, notation)) {
        return failure(
            withArguments(translated("coordinates", "the hemisphere letter goes in front: %1"),
                          {std::string(1, last) + std::string(rest.substr(0, rest.size() - 1))}));
    }
    return validateNumber(rest, twin, notation);
}

bool isValidLatSec(std::string_view text) {
    return bool(validateCoordinate(text, Axis::Latitude, Notation::GradMinSec));
}
bool isValidLngSec(std::string_view text) {
    return bool(validateCoordinate(text, Axis::Longitude, Notation::GradMinSec));
}
bool isValidLatCent(std::string_view text) {
    return bool(validateCoordinate(text, Axis::Latitude, Notation::GradMinCent));
}
bool isValidLngCent(std::string_view text) {
    return bool(validateCoordinate(text, Axis::Longitude, Notation::GradMinCent));
}

std::string_view axisName(Axis axis) {
    return axis == Axis::Latitude ? translated("coordinates", "latitude")
                                  : translated("coordinates", "longitude");
}

std::string_view notationName(Notation notation) {
    return notation == Notation::GradMinCent ? translated("coordinates", "Grad.Min.Cent")
                                             : translated("coordinates", "Grad.Min.Sec");
}

}  // namespace zelvar
