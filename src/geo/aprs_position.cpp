#include "geo/aprs_position.h"

#include <cmath>
#include <limits>

#include "config/text_number.h"
#include "geo/coordinate_conversion.h"
#include "text/translation.h"

namespace zelvar {
namespace {

constexpr double kMetresPerFoot = 0.3048;
constexpr double kLogOf1002 = 0.00199800266267306;  // compressed altitude = 1.002 ^ cs
constexpr std::uint32_t kFourDigits = 91u * 91u * 91u * 91u;
constexpr std::uint32_t kTwoDigits = 91u * 91u;

Result<std::string> altitudeComment(std::int32_t feet) {
    if (feet > 999999 || feet < -99999) {
        return failure(withArguments(
            translated("coordinates", "altitude %1 ft does not fit the /A= comment"),
            {std::to_string(feet)}));
    }
    return "/A=" + formatDigits(feet, feet < 0 ? 5 : 6);
}

Result<std::string> compressedAltitude(std::int32_t feet) {
    if (feet < 0) {
        return failure(std::string(
            translated("coordinates", "negative altitude in the compressed form")));
    }
    double cs = feet == 0 ? 0 : roundHalfEven(std::log(feet) / kLogOf1002);
    if (cs >= kTwoDigits) {
        return failure(withArguments(
            translated("coordinates", "altitude %1 ft is too high for the compressed form"),
            {std::to_string(feet)}));
    }
    return base91(static_cast<std::uint32_t>(cs), 2) + "Q";
}

}  // namespace

char symbolTableChar(bool alternateTable) {
    return alternateTable ? '\\' : '/';
}

bool isSymbolChar(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 32 && code != 127;
}

Result<std::int32_t> altitudeFeet(std::string_view metres, PositionForm form) {
    double feet = roundHalfEven(leadingNumber(metres) / kMetresPerFoot);
    if (!(feet >= std::numeric_limits<std::int32_t>::min() &&
          feet <= std::numeric_limits<std::int32_t>::max())) {
        return failure(withArguments(
            translated("coordinates", "altitude \"%1\" m is out of range"), {metres}));
    }
    if (form == PositionForm::Compressed && feet < 0) {
        feet = 0;
    }
    return static_cast<std::int32_t>(feet);
}

std::string feetAsMetres(std::int32_t feet) {
    return formatDigits(feet * kMetresPerFoot, 1);
}

std::string base91(std::uint32_t n, int count) {
    std::string digits(static_cast<std::size_t>(count), '!');
    for (std::size_t i = digits.size(); i-- > 0;) {
        digits[i] = static_cast<char>('!' + n % 91);
        n /= 91;
    }
    return digits;
}

Result<std::string> normalPosition(std::string_view latitudeCent, std::string_view longitudeCent,
                                   char table, char symbol, std::optional<std::int32_t> feet) {
    Result<std::string> latitude = centToAprsLat(latitudeCent);
    if (!latitude) {
        return failure(withArguments(translated("coordinates", "latitude: %1"),
                                     {latitude.error().reason}));
    }
    Result<std::string> longitude = centToAprsLng(longitudeCent);
    if (!longitude) {
        return failure(withArguments(translated("coordinates", "longitude: %1"),
                                     {longitude.error().reason}));
    }
    std::string text = "=" + *latitude + table + *longitude + symbol;
    if (feet) {
        Result<std::string> comment = altitudeComment(*feet);
        if (!comment) {
            return comment;
        }
        text += *comment;
    }
    return text;
}

Result<std::string> makeCompressed(double latitude, double longitude, char table, char symbol,
                                   std::optional<std::int32_t> feet) {
    if (!(latitude >= -90 && latitude <= 90)) {
        return failure(withArguments(translated("coordinates", "latitude %1 is beyond 90 degrees"),
                                     {formatPlainNumber(latitude)}));
    }
    if (!(longitude >= -180 && longitude <= 180)) {
        return failure(
            withArguments(translated("coordinates", "longitude %1 is beyond 180 degrees"),
                          {formatPlainNumber(longitude)}));
    }
    // Rounded, not truncated: 72 deg 45 min west gives X = 20427157.
    double y = roundHalfEven((90 - latitude) * 380926);
    double x = roundHalfEven((180 + longitude) * 190463);
    std::string tail = "  _";  // a blank first: no course, speed, range or altitude
    if (feet) {
        Result<std::string> altitude = compressedAltitude(*feet);
        if (!altitude) {
            return altitude;
        }
        tail = *altitude;
    }
    static_assert(180.0 * 380926 < kFourDigits);
    return std::string("=") + table + base91(static_cast<std::uint32_t>(y), 4) +
           base91(static_cast<std::uint32_t>(x), 4) + symbol + tail;
}

}  // namespace zelvar
