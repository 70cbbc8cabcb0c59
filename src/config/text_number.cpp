#include "config/text_number.h"

#include <charconv>
#include <cmath>
#include <cstdio>

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

double parseNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Very long digit runs: keep the sign, saturate the magnitude.
        return (!text.empty() && text.front() == '-') ? -HUGE_VAL : HUGE_VAL;
    }
    (void)ptr;
    return value;
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
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    (void)ec;
    return std::string(buffer, end);
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
