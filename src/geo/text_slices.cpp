#include "geo/text_slices.h"

#include <cfloat>
#include <cmath>

#include "common/ascii.h"
#include "config/text_number.h"
#include "text/translation.h"

namespace zelvar::geo_text {

char firstUpper(std::string_view text) {
    return text.empty() ? '\0' : asciiUpper(text.front());
}

std::string_view lastChars(std::string_view text, std::size_t count) {
    return count >= text.size() ? text : text.substr(text.size() - count);
}

std::string_view middle(std::string_view text, std::size_t start, std::size_t count) {
    if (start == 0 || start > text.size()) {
        return {};
    }
    return text.substr(start - 1, count);
}

std::optional<float> toSingle(double value) {
    if (!std::isfinite(value) || std::fabs(value) > FLT_MAX) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

Result<float> singlePiece(std::string_view piece, std::string_view what) {
    std::optional<double> number = strictNumber(piece);
    if (!number) {
        return failure(withArguments(translated("coordinates", "%1 \"%2\" are not a number"),
                                     {what, piece}));
    }
    std::optional<float> single = toSingle(*number);
    if (!single) {
        return failure(withArguments(translated("coordinates", "%1 \"%2\" are out of range"),
                                     {what, piece}));
    }
    return *single;
}

}  // namespace zelvar::geo_text
