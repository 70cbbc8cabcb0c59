#include "geo/coordinate_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "geo/coordinate_conversion.h"
#include "geo/maidenhead_locator.h"
#include "geo/position_calculation.h"
#include "geo/position_decoder.h"

namespace zelvar {
namespace {

constexpr Axis kLat = Axis::Latitude;
constexpr Axis kLon = Axis::Longitude;
constexpr double kHundredth = 0.01 / 60;  // of a minute, in degrees

// The notations side by side; NAN where the text is refused, with a word of the reason. Plain
// decimal degrees, and degrees and minutes with marks or blanks: EveryNotationReachesTheSameBeacon.
TEST(ReadCoordinate, TakesEveryNotationAndNamesWhatIsWrong) {
    const std::tuple<const char*, Axis, double, const char*> cases[] = {
        {" 9.175W ", kLon, -9.175, nullptr},
        {"s 45.5025", kLat, -45.5025, nullptr},
        {"45.5025\u00b0 N", kLat, 45.5025, nullptr},
        {"\u221245", kLat, -45, nullptr},  // a typographic minus sign
        {"W 9\u00ba 10\u2032 30\u2033", kLon, -9.175, nullptr},
        {"45\u00b030'09\"N", kLat, 45 + 30 / 60.0 + 9 / 3600.0, nullptr},
        {"45\u00a030\u00a015.5", kLat, 45 + 30 / 60.0 + 15.5 / 3600.0, nullptr},
        {"90", kLat, 90, nullptr},
        {"180 0 0 E", kLon, 180, nullptr},
        {"90.0001", kLat, NAN, "more than 90 degrees"},
        {"45 60", kLat, NAN, "below 60"},
        {"45.5 30", kLat, NAN, "only the last"},
        {"45'30\u00b0", kLat, NAN, "in turn"},
        {"45 30 15 5", kLat, NAN, "more than three"},
        {"45.5025E", kLat, NAN, "\"E\" is not a hemisphere of a latitude (N or S)"},
        {"-45.5 S", kLat, NAN, "once"},
        {"N45 N", kLat, NAN, "once"},
        {"45 N 30", kLat, NAN, "nothing may follow"},
        {"45.", kLat, NAN, "both sides"},
        {"\u00b045", kLat, NAN, "must follow a number"},
        {"", kLat, NAN, "no degrees"},
        {"N", kLat, NAN, "no degrees"},
        {"45\u202e5", kLat, NAN, "U+202E is not part"},
        {"\xef\xbb\xbf"
         "45",
         kLat, NAN, "U+FEFF"},
        {"45\xb0", kLat, NAN, "no UTF-8"},
        {"4e1", kLat, NAN, "\"e\" is not a hemisphere of a latitude"},
        {"45,5", kLat, NAN, "\",\" is not part"},
    };
    for (const auto& [text, axis, degrees, reason] : cases) {
        const Result<TypedCoordinate> read = readCoordinate(text, axis, Notation::GradMinCent);
        if (!reason) {
            ASSERT_TRUE(read) << text << ": " << reasonOf(read);
            EXPECT_NEAR(read->degrees, degrees, 1e-12) << text;
        } else {
            EXPECT_NE(reasonOf(read).find(reason), std::string::npos)
                << text << ": " << reasonOf(read);
        }
    }
    EXPECT_FALSE(readCoordinate(std::string(100000, '9'), kLat, Notation::GradMinCent));
    // Hemisphere letters after a dotted number, as many as a command line holds: refused without
    // looking for the letter in front once per letter.
    EXPECT_FALSE(
        readCoordinate("45.30.15" + std::string(100000, 'N'), kLat, Notation::GradMinCent));
}

// The dotted notation is the calculator's own, to the bit, and the Cent box decides it.
TEST(ReadCoordinate, LeavesTheDottedNotationToTheCalculator) {
    for (const char* text : {"45.30.15", "S45.30.15", "w11.05.50", "0045.30.15", "45.30.60",
                             "45.60.00", "91.00.00", "45.3.15"}) {
        for (Notation notation : {Notation::GradMinCent, Notation::GradMinSec}) {
            const Result<TypedCoordinate> read = readCoordinate(text, kLat, notation);
            const Result<> valid = validateCoordinate(text, kLat, notation);
            ASSERT_EQ(bool(read), bool(valid)) << text << ": " << reasonOf(read);
            EXPECT_EQ(reasonOf(read), reasonOf(valid)) << text;
            if (read) {
                EXPECT_EQ(read->form, CoordinateForm::Dotted);
                EXPECT_EQ(read->degrees,
                          *(notation == Notation::GradMinCent ? centToDeg(text) : secToDeg(text)));
            }
        }
    }
}

std::string format(const char* pattern, double a, double b = 0, double c = 0) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

// Random positions typed as decimal degrees, degrees and decimal minutes, and degrees, minutes
// and seconds: each gives the normal form that carries the position to a hundredth of a minute
// (rounded, so within half of one), and the three agree when they name the same hundredth.
TEST(ReadCoordinate, EveryNotationReachesTheSameBeacon) {
    std::mt19937 random(36);
    std::uniform_real_distribution<double> latitudes(-90, 90), longitudes(-180, 180);
    for (int round = 0; round < 2000; ++round) {
        const double lat = latitudes(random), lon = longitudes(random);
        PositionRequest decimal;
        decimal.form = PositionForm::Normal;
        decimal.latitude = format("%.7f", lat);
        decimal.longitude = format("%.7f", lon);
        const Result<CalculatedPosition> beacon = calculatePosition(decimal);
        ASSERT_TRUE(beacon) << decimal.latitude << " " << decimal.longitude << reasonOf(beacon);
        const Result<DecodedPosition> back = decodePosition(beacon->text);
        ASSERT_TRUE(back) << beacon->text;
        EXPECT_NEAR(back->latitude, lat, kHundredth / 2 + 1e-7) << beacon->text;
        EXPECT_NEAR(back->longitude, lon, kHundredth / 2 + 1e-7) << beacon->text;

        // The hundredths the beacon carries, typed in the other notations.
        auto minutesOf = [](double degrees) {
            return (std::fabs(degrees) - std::trunc(std::fabs(degrees))) * 60;
        };
        const double latMinutes = std::round(minutesOf(back->latitude) * 100) / 100;
        const double lonMinutes = std::round(minutesOf(back->longitude) * 100) / 100;
        PositionRequest minutes = decimal;
        minutes.latitude =
            format("%.0f\u00b0%05.2f'", std::trunc(std::fabs(back->latitude)), latMinutes) +
            (back->latitude < 0 ? "S" : "N");
        minutes.longitude =
            format("%.0f %05.2f ", std::trunc(std::fabs(back->longitude)), lonMinutes) +
            (back->longitude < 0 ? "W" : "E");
        EXPECT_EQ(calculatePosition(minutes).value_or(CalculatedPosition{}).text, beacon->text)
            << minutes.latitude << " " << minutes.longitude;
    }
}

// locator -> centre -> locator at every precision, for the corners of the grid too, and the
// centre lies in the middle of its square.
TEST(MaidenheadLocator, RoundTripsAtEveryPrecision) {
    std::mt19937 random(34);
    std::uniform_real_distribution<double> latitudes(-90, 90), longitudes(-180, 180);
    const std::pair<double, double> squareSize[] = {
        {1, 2}, {1 / 24.0, 2 / 24.0}, {1 / 240.0, 2 / 240.0}};
    for (int round = 0; round < 3000; ++round) {
        GeoPoint point{latitudes(random), longitudes(random)};
        if (round < 4)
            point = {round % 2 ? 90.0 : -90.0, round / 2 ? 180.0 : -180.0};
        for (int characters : {4, 6, 8}) {
            const Result<std::string> locator = maidenheadLocator(point, characters);
            ASSERT_TRUE(locator && locator->size() == std::size_t(characters));
            const Result<GeoPoint> centre = locatorCentre(*locator);
            ASSERT_TRUE(centre) << *locator << ": " << reasonOf(centre);
            EXPECT_EQ(maidenheadLocator(*centre, characters).value_or(""), *locator);
            const auto [height, width] = squareSize[characters / 2 - 2];
            EXPECT_LE(std::fabs(centre->latitude - point.latitude), height / 2 + 1e-9) << *locator;
            EXPECT_LE(std::fabs(centre->longitude - point.longitude), width / 2 + 1e-9) << *locator;
        }
    }
}

TEST(MaidenheadLocator, KnownSquaresAndRefusals) {
    EXPECT_EQ(maidenheadLocator({41.714775, -72.727260}, 6).value_or(""), "FN31pr");
    EXPECT_EQ(maidenheadLocator({45.5025, 9.175}, 8).value_or(""), "JN45om10");
    for (const char* wrong : {"", "JN4", "JN45o", "JN45ol5", "JN45ol555", "SN45", "JNA5", "JN45oy",
                              "JN45ol5x", "JN45\xc3\xb6l"})
        EXPECT_FALSE(locatorCentre(wrong)) << wrong;
    for (GeoPoint outside : {GeoPoint{90.5, 0}, GeoPoint{0, -181}, GeoPoint{NAN, 0}})
        EXPECT_FALSE(maidenheadLocator(outside, 6));
    EXPECT_FALSE(maidenheadLocator({0, 0}, 5));
}

// A position on the edge of a subsquare belongs to the subsquare north and east of it. Edges fall
// on whole minutes (every 5' of longitude, every 2.5' of latitude), which users type, and which
// sum to a hair short of the edge in floating point.
TEST(MaidenheadLocator, AnEdgeBelongsToTheSquareNorthAndEast) {
    constexpr int kSubsquares = 18 * 10 * 24;
    for (int edge = 0; edge < kSubsquares; ++edge) {
        for (const bool latitude : {true, false}) {
            const int hundredths = edge * (latitude ? 250 : 500);  // of a minute, from the corner
            const int signedHundredths = hundredths - (latitude ? 90 : 180) * 6000;
            const int size = std::abs(signedHundredths);
            const std::string text =
                format("%.0f.%02.0f.%02.0f", size / 6000, size / 100 % 60, size % 100);
            PositionRequest request;
            request.form = PositionForm::Normal;
            (latitude ? request.latitude : request.longitude) =
                (signedHundredths < 0 ? "-" : "") + text;
            const Result<CalculatedPosition> position = calculatePosition(request);
            ASSERT_TRUE(position) << text << ": " << reasonOf(position);
            const std::string expected = {static_cast<char>('A' + edge / 240),
                                          static_cast<char>('0' + edge / 24 % 10),
                                          static_cast<char>('a' + edge % 24)};
            const std::size_t first = latitude ? 1 : 0;
            const std::string found = {position->locator[first], position->locator[first + 2],
                                       position->locator[first + 4]};
            ASSERT_EQ(found, expected) << position->text;
        }
    }
}

// A locator, in any case and between blanks, stands for the centre of its square; the calculator
// shows the locator of the position its text carries. (A refused locator:
// AdviceCommands.PositionTakesEveryNotation; a refused coordinate in any notation:
// CalculatePosition.GivesTheBeaconOrNamesWhatIsWrong.)
TEST(CalculatePosition, TakesALocatorAndShowsTheLocator) {
    PositionRequest request;
    request.form = PositionForm::Normal;
    request.locator = " jn45OM ";
    request.latitude = "not read";
    const Result<CalculatedPosition> fromLocator = calculatePosition(request);
    ASSERT_TRUE(fromLocator) << reasonOf(fromLocator);
    EXPECT_EQ(fromLocator->text, "=4531.25N/00912.50E>");
    EXPECT_EQ(fromLocator->locator, "JN45om");
    request.locator.clear();
    request.latitude = "45.5025";
    request.longitude = "9 10.5 E";
    const Result<CalculatedPosition> typed = calculatePosition(request);
    EXPECT_EQ(typed.value_or(CalculatedPosition{}).text, "=4530.15N/00910.50E>");
    EXPECT_EQ(typed.value_or(CalculatedPosition{}).locator, "JN45om");
}

}  // namespace
}  // namespace zelvar
