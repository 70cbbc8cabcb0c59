#include "geo/coordinate_reading.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "common/ascii.h"
#include "common/utf8.h"
#include "config/text_number.h"
#include "geo/coordinate_conversion.h"
#include "text/translation.h"

namespace zelvar {
namespace {

// What a mark after a number says it is.
enum class Mark { None, Degrees, Minutes, Seconds };

Mark markOf(char32_t c) {
    switch (c) {
        case 0x00B0:  // °
        case 0x00BA:  // º, which many keyboards give for the degree sign
            return Mark::Degrees;
        case '\'':
        case 0x00B4:  // ´
        case 0x2019:  // ’, what word processors make of '
        case 0x2032:  // ′
            return Mark::Minutes;
        case '"':
        case 0x201D:  // ”
        case 0x2033:  // ″
            return Mark::Seconds;
        default:
            return Mark::None;
    }
}

bool isBlank(char32_t c) {
    return c == ' ' || c == '\t' || c == 0x00A0;  // no-break space, as maps copy it
}

std::string_view trimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A character in a reason: printable ASCII as itself, anything else by its code point, so that
// an invisible or direction-changing character is named and not obeyed.
std::string named(char32_t c) {
    if (c > 0x20 && c < 0x7F)
        return std::string("\"") + static_cast<char>(c) + "\"";
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    return code;
}

struct Axes {
    char positive;
    char negative;
    double limit;
};

Axes axesOf(Axis axis) {
    return axis == Axis::Latitude ? Axes{'N', 'S', 90} : Axes{'E', 'W', 180};
}

struct Piece {
    std::string number;
    Mark mark = Mark::None;
};

// The text split into its numbers, their marks and the hemisphere, before any number is judged.
class FreeFormReader {
  public:
    explicit FreeFormReader(Axis axis) : axis_(axis), axes_(axesOf(axis)) {}

    Result<TypedCoordinate> read(std::string_view text) {
        while (!text.empty()) {
            const std::optional<char32_t> c = takeUtf8(text);
            if (!c)
                return failure(std::string(
                    translated("coordinates", "the text holds bytes that are no UTF-8")));
            if (Result<> taken = take(*c); !taken)
                return failure(taken.error().reason);
        }
        return value();
    }

  private:
    Result<> take(char32_t c) {
        if (isBlank(c)) {
            open_ = false;
            return {};
        }
        if (ended_)
            return failure(
                std::string(translated("coordinates", "nothing may follow the hemisphere letter")));
        if (isAsciiDigit(static_cast<int>(c)) || c == '.')
            return digit(static_cast<char>(c));
        if (const Mark mark = markOf(c); mark != Mark::None) {
            if (!open_)
                return failure(withArguments(
                    translated("coordinates", "a mark %1 must follow a number"), {named(c)}));
            pieces_.back().mark = mark;
            open_ = false;
            return {};
        }
        if ((c == '+' || c == '-' || c == 0x2212) && !started_) {  // U+2212 minus sign
            started_ = true;
            negative_ = c != '+';
            signed_ = true;
            return {};
        }
        if (c < 0x80 && isAsciiUpper(asciiUpper(static_cast<char>(c))))
            return letter(static_cast<char>(c));
        return failure(
            withArguments(translated("coordinates", "%1 is not part of a coordinate"), {named(c)}));
    }

    Result<> digit(char c) {
        if (!open_) {
            if (pieces_.size() == 3)
                return failure(std::string(translated(
                    "coordinates", "more than three numbers (degrees, minutes, seconds)")));
            pieces_.emplace_back();
            open_ = true;
        }
        started_ = true;
        pieces_.back().number += c;
        return {};
    }

    Result<> letter(char typed) {
        const char upper = asciiUpper(typed);
        if (upper != axes_.positive && upper != axes_.negative) {
            return failure(withArguments(
                translated("coordinates", "%1 is not a hemisphere of a %2 (%3 or %4)"),
                {named(static_cast<char32_t>(typed)), axisName(axis_),
                 std::string(1, axes_.positive), std::string(1, axes_.negative)}));
        }
        if (signed_ || lettered_)
            return failure(std::string(
                translated("coordinates", "give the hemisphere once: a sign or a letter")));
        negative_ = upper == axes_.negative;
        lettered_ = true;
        started_ = true;
        ended_ = !pieces_.empty();
        open_ = false;
        return {};
    }

    Result<TypedCoordinate> value() const {
        if (pieces_.empty())
            return failure(std::string(translated("coordinates", "no degrees")));
        double parts[3] = {0, 0, 0};
        for (std::size_t i = 0; i < pieces_.size(); ++i) {
            const Piece& piece = pieces_[i];
            const auto expected = static_cast<Mark>(static_cast<int>(Mark::Degrees) + i);
            if (piece.mark != Mark::None && piece.mark != expected)
                return failure(std::string(translated(
                    "coordinates",
                    "the marks °, ' and \" follow degrees, minutes and seconds in turn")));
            const std::string& number = piece.number;
            const bool fraction = number.find('.') != std::string::npos;
            if (fraction && i + 1 < pieces_.size())
                return failure(std::string(
                    translated("coordinates", "only the last number may have a fraction")));
            if (number.front() == '.' || number.back() == '.')
                return failure(withArguments(
                    translated("coordinates", "\"%1\" needs digits on both sides of the \".\""),
                    {number}));
            parts[i] = leadingNumber(number);
        }
        if (parts[1] >= 60 || parts[2] >= 60)
            return failure(
                std::string(translated("coordinates", "minutes and seconds must be below 60")));
        const double degrees = parts[0] + parts[1] / 60 + parts[2] / 3600;
        if (degrees > axes_.limit)
            return failure(withArguments(translated("coordinates", "more than %1 degrees"),
                                         {formatPlainNumber(axes_.limit)}));
        constexpr CoordinateForm kForms[] = {CoordinateForm::Decimal,
                                             CoordinateForm::DegreesMinutes,
                                             CoordinateForm::DegreesMinutesSeconds};
        return TypedCoordinate{negative_ ? -degrees : degrees, kForms[pieces_.size() - 1], {}};
    }

    Axis axis_;
    Axes axes_;
    std::vector<Piece> pieces_;
    bool open_ = false;      // digits are being added to the last piece
    bool started_ = false;   // a sign, a letter or a digit came
    bool signed_ = false;    // "+" or "-" in front
    bool lettered_ = false;  // a hemisphere letter
    bool ended_ = false;     // the letter after the numbers: only blanks may follow
    bool negative_ = false;
};

}  // namespace

bool isDottedCoordinate(std::string_view text) {
    return std::count(text.begin(), text.end(), '.') >= 2;
}

Result<TypedCoordinate> readCoordinate(std::string_view text, Axis axis, Notation dotted) {
    text = trimBlanks(text);
    if (!isDottedCoordinate(text))
        return FreeFormReader(axis).read(text);
    if (Result<> valid = validateCoordinate(text, axis, dotted); !valid)
        return failure(valid.error().reason);
    Result<double> degrees = dotted == Notation::GradMinCent ? centToDeg(text) : secToDeg(text);
    if (!degrees)
        return failure(degrees.error().reason);
    return TypedCoordinate{*degrees, CoordinateForm::Dotted, std::string(text)};
}

}  // namespace zelvar
