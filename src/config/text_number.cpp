#include "config/text_number.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iomanip>
#include <locale>
#include <sstream>

#include "common/ascii.h"
namespace zelvar {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Length of the number grammar at the start of `text` (after blanks were skipped), 0 when none.
std::size_t numberPrefixLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && isAsciiDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i + 1 < text.size() && text[i] == '.' && isAsciiDigit(text[i + 1])) {
        ++i;
        while (i < text.size() && isAsciiDigit(text[i])) {
            ++i;
            ++digits;
        }
    } else if (i < text.size() && text[i] == '.' && digits > 0) {
        ++i;  // "12." reads as 12
    }
    return digits == 0 ? 0 : i;
}

// Powers of ten that a double holds exactly.
constexpr std::array<double, 23> kExactPowersOfTen = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kExactMantissaLimit = std::uint64_t{1} << 53;

// Reads with the classic locale, so a program that set another one (Qt sets the user's) still
// takes "." as the decimal point.
std::istringstream classicInput(std::string text) {
    std::istringstream in(std::move(text));
    in.imbue(std::locale::classic());
    return in;
}

// A text of the number grammar, sign included, as the nearest double. Up to 15 or so significant
// digits the value is one exact division, correctly rounded; longer texts go through the
// standard library. Magnitudes beyond a double saturate with their sign.
double parseNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::uint64_t mantissa = 0;
    std::size_t scale = 0;
    bool fraction = false;
    bool exact = true;
    for (char c : text) {
        if (c == '.') {
            fraction = true;
            continue;
        }
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
        scale += fraction ? 1 : 0;
        if (mantissa >= kExactMantissaLimit) {
            exact = false;
            break;
        }
    }
    if (exact && scale < kExactPowersOfTen.size()) {
        const double magnitude = static_cast<double>(mantissa) / kExactPowersOfTen[scale];
        return negative ? -magnitude : magnitude;
    }
    double magnitude = 0.0;
    std::istringstream in = classicInput(std::string(text));
    if (!(in >> magnitude))
        magnitude = HUGE_VAL;
    return negative ? -magnitude : magnitude;
}

// The fewest significant digits that read back as `value`, laid out without an exponent.
std::string shortestFixed(double value) {
    std::string scientific;
    for (int precision = 0; precision < 17; ++precision) {
        std::ostringstream out;
        out.imbue(std::locale::classic());
        out << std::scientific << std::setprecision(precision) << value;
        scientific = out.str();
        double back = 0.0;
        if (std::istringstream in = classicInput(scientific); in >> back && back == value)
            break;
    }
    // "-1.2345e-03": sign, digits without the point, exponent.
    const std::size_t e = scientific.find('e');
    const int exponent = std::stoi(scientific.substr(e + 1));
    std::string digits;
    for (char c : std::string_view(scientific).substr(0, e)) {
        if (isAsciiDigit(c))
            digits += c;
    }
    std::string fixed = value < 0 ? "-" : "";
    if (exponent < 0) {
        fixed += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() < whole)
            digits.append(whole - digits.size(), '0');
        fixed += digits.substr(0, whole);
        if (digits.size() > whole)
            fixed += "." + digits.substr(whole);
    }
    while (fixed.find('.') != std::string::npos && (fixed.back() == '0' || fixed.back() == '.'))
        fixed.pop_back();
    return fixed;
}

std::string_view skipBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

}  // namespace

double leadingNumber(std::string_view text) {
    text = skipBlanks(text);
    std::size_t length = numberPrefixLength(text);
    return length == 0 ? 0.0 : parseNumber(text.substr(0, length));
}

std::optional<double> strictNumber(std::string_view text) {
    text = skipBlanks(text);
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    std::size_t length = numberPrefixLength(text);
    if (length == 0 || length != text.size()) {
        return std::nullopt;
    }
    return parseNumber(text);
}

double roundHalfEven(double value) {
    // nearbyint uses the current rounding mode, which is round-to-nearest-even by default.
    return std::nearbyint(value);
}

std::string formatDigits(double value, int minDigits) {
    double rounded = roundHalfEven(value);
    if (rounded == 0) {
        rounded = 0;  // never "-00"
    }
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%0*.0f", rounded < 0 ? minDigits + 1 : minDigits,
                  rounded);
    return buffer;
}

std::string formatPlainNumber(double value) {
    char buffer[400];
    if (value == 0) {
        return "0";  // also for -0
    }
    if (value == std::trunc(value)) {
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
        return buffer;
    }
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    return shortestFixed(value);
}

std::string_view trimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace zelvar
