#include "geo/maidenhead_locator.h"

#include <cmath>

#include "common/ascii.h"
#include "text/translation.h"

namespace zelvar {
namespace {

// Each pair of a locator divides the square of the pair before it: 18 fields, 10 squares,
// 24 subsquares, 10 extended squares, in longitude and in latitude alike. Positions are counted
// in the smallest squares, 2/240 degree of longitude and 1/240 of latitude, which keeps the
// arithmetic in whole numbers.
struct Pair {
    char first;  // the lowest character of the pair
    int count;
};
constexpr Pair kPairs[] = {{'A', 18}, {'0', 10}, {'a', 24}, {'0', 10}};
constexpr int kSmallestPerField = 10 * 24 * 10;
constexpr int kSmallestSquares = 18 * kSmallestPerField;
constexpr double kSmallestPerDegreeLongitude = 120;
constexpr double kSmallestPerDegreeLatitude = 240;

bool isLocatorLength(std::size_t characters) {
    return characters == 4 || characters == 6 || characters == 8;
}

// The smallest squares each character of a pair stands for.
int smallestPerStep(std::size_t pair) {
    int per = 1;
    for (std::size_t later = pair + 1; later < std::size(kPairs); ++later)
        per *= kPairs[later].count;
    return per;
}

// 0.. of a character of the pair, or -1: letters in either case.
int stepOf(char c, std::size_t pair) {
    const Pair& p = kPairs[pair];
    const int step = isAsciiDigit(p.first) ? c - '0' : asciiLower(c) - asciiLower(p.first);
    return step >= 0 && step < p.count ? step : -1;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// A position on a square's edge belongs to the square north and east of it. Whole minutes, which
// fall on the edges, come out of their sums a hair short of them (179 deg 50 min west is
// 0.16666666666666 degrees from the antimeridian): a millionth of a smallest square, half a
// millimetre, takes them over the edge.
constexpr double kOntoTheEdge = 1e-6;

// Smallest squares from the south pole or the antimeridian, within 0..kSmallestSquares - 1.
int smallestIndex(double degreesFromEdge, double perDegree) {
    const double index = std::floor(degreesFromEdge * perDegree + kOntoTheEdge);
    return static_cast<int>(std::fmin(std::fmax(index, 0), kSmallestSquares - 1));
}

}  // namespace

Result<GeoPoint> locatorCentre(std::string_view locator) {
    locator = trimmed(locator);
    if (!isLocatorLength(locator.size()))
        return failure(
            std::string(translated("coordinates", "a locator has 4, 6 or 8 characters")));
    const std::size_t pairs = locator.size() / 2;
    int longitude = 0;
    int latitude = 0;
    for (std::size_t pair = 0; pair < pairs; ++pair) {
        const int east = stepOf(locator[2 * pair], pair);
        const int north = stepOf(locator[2 * pair + 1], pair);
        if (east < 0 || north < 0) {
            const Pair& p = kPairs[pair];
            const char last = static_cast<char>(p.first + p.count - 1);
            return failure(withArguments(
                isAsciiDigit(p.first)
                    ? translated("coordinates", "characters %1 and %2 must be digits %3 to %4")
                    : translated("coordinates", "characters %1 and %2 must be letters %3 to %4"),
                {std::to_string(2 * pair + 1), std::to_string(2 * pair + 2),
                 std::string(1, asciiUpper(p.first)), std::string(1, asciiUpper(last))}));
        }
        longitude += east * smallestPerStep(pair);
        latitude += north * smallestPerStep(pair);
    }
    const double half = smallestPerStep(pairs - 1) / 2.0;
    return GeoPoint{(latitude + half) / kSmallestPerDegreeLatitude - 90,
                    (longitude + half) / kSmallestPerDegreeLongitude - 180};
}

Result<std::string> maidenheadLocator(GeoPoint point, int characters) {
    if (!isLocatorLength(static_cast<std::size_t>(characters)))
        return failure(
            std::string(translated("coordinates", "a locator has 4, 6 or 8 characters")));
    if (!(std::fabs(point.latitude) <= 90 && std::fabs(point.longitude) <= 180))
        return failure(std::string(translated("coordinates", "not a position on the earth")));
    const int longitude = smallestIndex(point.longitude + 180, kSmallestPerDegreeLongitude);
    const int latitude = smallestIndex(point.latitude + 90, kSmallestPerDegreeLatitude);
    std::string locator;
    for (std::size_t pair = 0; pair < static_cast<std::size_t>(characters) / 2; ++pair) {
        const int per = smallestPerStep(pair);
        const int count = kPairs[pair].count;
        const char first = kPairs[pair].first;
        locator += static_cast<char>(first + longitude / per % count);
        locator += static_cast<char>(first + latitude / per % count);
    }
    return locator;
}

}  // namespace zelvar
