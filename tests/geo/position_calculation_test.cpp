#include "geo/position_calculation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "../text/marked_catalogue.h"
#include "geo/aprs_position.h"
#include "geo/coordinate_conversion.h"
#include "geo/coordinate_validation.h"
#include "geo/position_decoder.h"
#include "position_samples.h"

namespace zelvar {
namespace {

constexpr Notation kSec = Notation::GradMinSec;
constexpr Notation kCent = Notation::GradMinCent;
constexpr PositionForm kNormal = PositionForm::Normal;
constexpr PositionForm kCompressed = PositionForm::Compressed;

PositionRequest request(const char* latitude, const char* longitude, Notation notation,
                        PositionForm form, const char* metres = "0", bool included = false,
                        const char* symbol = ">", bool alternate = false) {
    return {latitude, longitude, notation, metres, included, form, symbol, alternate, {}};
}

// The altitude is shown back whether included or not, negative only in the normal form; blanks
// around a dotted coordinate stay out of the beacon. The
// options of zelvar-cli position, and the words for an empty symbol or a latitude's letter behind
// it: the web page's tests, agreeing with it on generated positions.
TEST(CalculatePosition, GivesTheBeaconOrNamesWhatIsWrong) {
    const std::tuple<PositionRequest, const char*, const char*> cases[] = {
        {request("45.30.15", "-11.05.50", kCent, kNormal), "=4530.15N/01105.50W>", "0"},
        {request(" 45.30.15\t ", "-11.05.50 ", kCent, kNormal), "=4530.15N/01105.50W>", "0"},
        {request("0.00.00", "0.00.00", kCent, kNormal, "1000"), "=0000.00N/00000.00E>", "1000"},
        {request("0.00.00", "0.00.00", kCent, kCompressed, "-10"), "=/NN!!NN!!>  _", "0"},
        {request("49.30.00", "-72.45.00", kSec, kNormal, "-1", true, "[", true),
         "=4930.00N\\07245.00W[/A=-00003", "-1"},
        {request("45.60.00", "0.00.00", kSec, kNormal), "minutes", nullptr},
        {request("0.00.00", "45.30.60", kSec, kCompressed),
         "longitude \"45.30.60\" (Grad.Min.Sec): seconds", nullptr},
        {request("45.30.1x", "0.00.00", kCent, kNormal), "hundredths", nullptr},
        {request("45.30.15n", "0.00.00", kCent, kNormal), "goes in front: N45.30.15", nullptr},
        {request("91.00.00", "0.00.00", kCent, kNormal), "90", nullptr},
        {request("0045.30.15", "0.00.00", kSec, kNormal), "too many", nullptr},
        {request(".30.15", "0.00.00", kCent, kNormal), "degrees", nullptr},
        {request("45.30.1", "0.00.00", kCent, kNormal), "hundredths", nullptr},
        {request("pasted text", "0.00.00", kCent, kNormal), "latitude \"pasted text\"", nullptr},
        {request("0.00.00", "0.00.00", kCent, kNormal, "9999999999", false), "altitude", nullptr},
        {request("0.00.00", "0.00.00", kCent, kNormal, "400000", true), "/A=", nullptr},
        {request("0.00.00", "0.00.00", kCent, kCompressed, "5000000", true), "compressed", nullptr},
        {request("0.00.00", "0.00.00", kCent, kNormal, "0", false, "\x1B"),
         "printable character, not \\x1B", nullptr},
        {request("0.00.00", "0.00.00", kCent, kNormal, "0", false, "\x7F"), "printable", nullptr},
    };
    for (const auto& [asked, text, altitude] : cases) {
        const Result<CalculatedPosition> position = calculatePosition(asked);
        ASSERT_EQ(position.has_value(), altitude != nullptr) << text << ": " << reasonOf(position);
        if (!altitude) {
            EXPECT_NE(reasonOf(position).find(text), std::string::npos) << reasonOf(position);
            continue;
        }
        EXPECT_EQ(position->text, text);
        EXPECT_EQ(position->altitude, altitude) << text;
    }
}

// Metres as typed, the whole feet, and the metres shown back.
TEST(AltitudeFeet, RoundsMetresToWholeFeet) {
    const std::tuple<const char*, std::int32_t, const char*> cases[] = {
        {"-10", -33, "-10"},
        {"abc", 0, "0"},
        {"12abc", 39, "12"},
        {"1-2", 3, "1"},
        {"99999", 328081, "99999"},
        {"0.1524", 0, "0"},  // exactly half a foot goes to the even 0
        {"0.4572", 2, "1"},  // 1.5 ft goes to 2
        {"654553015", 2147483645, "654553015"},
        {"-654553016", -2147483647 - 1, "-654553016"},
    };
    for (const auto& [metres, feet, shown] : cases) {
        const Result<std::int32_t> result = altitudeFeet(metres, PositionForm::Normal);
        EXPECT_EQ(result.value_or(-1), feet) << metres << ": " << reasonOf(result);
        EXPECT_EQ(feetAsMetres(result.value_or(0)), shown) << metres;
    }
    const std::string huge(400, '9');
    for (const std::string& metres : {std::string("654553016"), std::string("-654553017"), huge})
        EXPECT_FALSE(altitudeFeet(metres, PositionForm::Normal)) << metres;
}

// The encoders at their fields' edges (compressed corners: kSamples); null where they refuse.
TEST(PositionEncoders, FillTheirFieldsOrRefuse) {
    const std::optional<std::int32_t> none;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<Result<std::string>, const char*> cases[] = {
        {normalPosition("1.00.00", "1.00.00", '/', '>', 999999), "=0100.00N/00100.00E>/A=999999"},
        {normalPosition("1.00.00", "1.00.00", '/', '>', -99999), "=0100.00N/00100.00E>/A=-99999"},
        {normalPosition("1.00.00", "1.00.00", '/', '>', 1000000), nullptr},
        {normalPosition("1.00.00", "1.00.00", '/', '>', -100000), nullptr},
        {normalPosition("1.00.00", "", '/', '>', none), nullptr},
        {makeCompressed(0, 0, '/', '>', 1), "=/NN!!NN!!>!!Q"},    // 1.002 ^ 0
        {makeCompressed(0, 0, '/', '>', 696), "=/NN!!NN!!>E!Q"},  // 3275.95 rounds to 36 * 91
        {makeCompressed(0, 0, '/', '>', 15000000), "=/NN!!NN!!>{qQ"},
        {makeCompressed(0, 0, '/', '>', 16000000), nullptr},  // 1.002 ^ (91 * 91) is 15.3 million
        {makeCompressed(0, 0, '/', '>', std::numeric_limits<std::int32_t>::max()), nullptr},
        {makeCompressed(0, 0, '/', '>', -1), nullptr},
        {makeCompressed(90.0001, 0, '/', '>', none), nullptr},
        {makeCompressed(0, -180.0001, '/', '>', none), nullptr},
        {makeCompressed(nan, 0, '/', '>', none), nullptr},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& [text, expected] = cases[i];
        if (expected)
            EXPECT_EQ(text.value_or(""), expected) << "row " << i << ": " << reasonOf(text);
        else
            EXPECT_TRUE(!text && !reasonOf(text).empty()) << "row " << i << ": " << *text;
    }
}

// What the calculator writes, read back as the preview describes it.
const std::pair<const char*, const char*> kSamples[] = {
    {"=4930.00N/07245.00W>", "N49.30.00 W72.45.00, symbol />"},
    {"=4930.00N/07245.00W>/A=000984", "N49.30.00 W72.45.00, symbol />, altitude 984 ft (300 m)"},
    {"=0100.00N/00100.00E>/A=-00033", "N1.00.00 E1.00.00, symbol />, altitude -33 ft (-10 m)"},
    {"=4530.15N\\01105.50Wk", "N45.30.15 W11.05.50, symbol \\k"},
    {"=9000.00S/18000.00E ", "S90.00.00 E180.00.00, symbol / "},
    {"=/5L!!<*e8>FsQ", "N49.30.00 W72.45.00, symbol />, altitude 983 ft (300 m)"},
    {"=\\7MqRK_r.>  _", "N45.30.15 W11.05.50, symbol \\>"},
    {"=/NN!!NN!!>!!Q", "N0.00.00 E0.00.00, symbol />, altitude 1 ft (0 m)"},
    {"=/{{!!{{!!>  _", "S90.00.00 E180.00.00, symbol />"},
    {"=/!!!!!!!!>  _", "N90.00.00 W180.00.00, symbol />"},
};

// Every truncation of a sample is refused (but the normal form inside the one with an altitude),
// and one character more too; so is every other form.
TEST(DecodePosition, ReadsTheThreeFormsAndRefusesEverythingElse) {
    std::vector<std::string> refused = {std::string("=4930.00N/07245.00W>\0\0\0", 23),
                                        std::string(100000, '=')};
    for (const char* text : {"!4930.00N/07245.00W>", "=4930.00n/07245.00W>", "=4960.00N/07245.00W>",
                             "=9000.01N/07245.00W>", "=4930.00N/18000.01W>", "=4930.00N|07245.00W>",
                             "=4930.00N/07245.00W\x7f", "=4930.00N/07245.00W>/A=-00000",
                             "=4930.00N/07245.00W>/A=00098x", "=4930.00N/07245.00W>/B=000984",
                             "=/5L!!<*e8> !Q", "=/5L!!<*e8>  X", "=/5L!!<*e8>\x01  _"})
        refused.emplace_back(text);
    for (const auto& [text, described] : kSamples) {
        const Result<DecodedPosition> position = decodePosition(text);
        ASSERT_TRUE(position) << text << ": " << reasonOf(position);
        EXPECT_EQ(describePosition(*position), described) << text;
        for (std::size_t length = 0; length < std::string_view(text).size(); ++length) {
            if (length != 20)
                refused.emplace_back(text, length);
        }
        refused.push_back(text + std::string(" "));
    }
    for (const std::string& text : refused) {
        const Result<DecodedPosition> position = decodePosition(text);
        EXPECT_FALSE(position) << text;
        EXPECT_TRUE(reasonOf(position).starts_with(kNotACalculatorPosition)) << reasonOf(position);
    }
}

// A reason or a description is UTF-8 in any language: the language's own words as they stand,
// the beacon's Latin-1 characters converted, and its hidden ones by their codes.
TEST(DecodePosition, ItsReasonsKeepTheLanguagesWordsAndShowTheBeaconsCharacters) {
    std::string tooShort, accented, hidden;
    {
        // A language whose every text ends in "、" (U+3001, the bytes E3 80 81), as Japanese
        // texts do.
        const testing_support::MarkedCatalogue ideographicCommas("", "\u3001");
        tooShort = reasonOf(decodePosition("=4530"));
        accented = reasonOf(decodePosition("=4530.1\xE9N/00910.30E>"));
        hidden = reasonOf(decodePosition("=4530.1\xADN/00910.30E>"));
    }
    const std::string refused = "not a position the calculator would write\u3001: ";
    EXPECT_EQ(tooShort, refused + "14, 20 or 29 characters expected, not 5\u3001\u3001");
    const std::string latitude = "\" is not DDMM.hh with N or S within 90 degrees\u3001\u3001";
    EXPECT_EQ(accented, refused + "the latitude \"4530.1\u00E9N" + latitude);
    EXPECT_EQ(hidden, refused + "the latitude \"4530.1\\u00ADN" + latitude);
    const Result<DecodedPosition> accentedSymbol = decodePosition("=4530.15N/00910.30E\xE9");
    ASSERT_TRUE(accentedSymbol);
    EXPECT_EQ(describePosition(*accentedSymbol), "N45.30.15 E9.10.30, symbol /\u00E9");
}

// Generated calculator requests: the text decodes to what was asked, within the form's
// resolution (half a digit: hundredths of a minute, or the compressed scales).
TEST(DecodePosition, GivesBackWhatTheCalculatorWasAsked) {
    testing_support::PositionSamples samples(16);
    for (int round = 0; round < 2000; ++round) {
        const auto [request, latitude, longitude] = samples.next();
        const Result<CalculatedPosition> calculated = calculatePosition(request);
        ASSERT_TRUE(calculated) << request.latitude << " " << request.longitude;
        const std::string& text = calculated->text;
        const Result<DecodedPosition> decoded = decodePosition(text);
        ASSERT_TRUE(decoded) << text << ": " << reasonOf(decoded);
        const bool compressed = request.form == PositionForm::Compressed;
        EXPECT_EQ(decoded->form, request.form) << text;
        EXPECT_NEAR(decoded->latitude, latitude, (compressed ? 0.5 / 380926 : 0.5 / 6000) + 1e-7)
            << text;
        EXPECT_NEAR(decoded->longitude, longitude, (compressed ? 0.5 / 190463 : 0.5 / 6000) + 1e-7)
            << text;
        EXPECT_EQ(decoded->table, request.alternateTable ? '\\' : '/') << text;
        EXPECT_EQ(decoded->symbol, request.symbol.front()) << text;
        ASSERT_EQ(decoded->feet.has_value(), request.includeAltitude) << text;
        // The compressed altitude is a power of 1.002 and reads 0 ft as 1 ft.
        const double feet = calculated->feet;
        EXPECT_NEAR(decoded->feet.value_or(feet), feet,
                    compressed ? std::max(1.0, feet * 0.001) : 0)
            << text;
    }
}

// Answers of isValidLatSec, isValidLngSec, isValidLatCent and isValidLngCent, "1" for valid.
TEST(CoordinateValidators, AnswerEveryTextWithoutFailing) {
    const std::string many(400, '9'), zeros = std::string(5000, '0') + ".00.00";
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"1111", {"90.00.00", "-90.00.00"}},
        {"0101", {"90.00.01", "100.00.00", "180.00.00", "w11.05.50"}},
        {"0011", {"45.30.60", "45.30.99", "0045.30.15", zeros}},
        {"0111", {"045.30.15"}},
        {"0001", {"0179.59.59"}},
        {"1010", {"S45.30.15"}},
        {"0000",
         {"180.00.01", "45.60.00", "179.59.5", "45.3.15", "4530.15", "", "-", "--45.30.15",
          "NS45.30.15", "45.30.15.", " 45.30.15", "45,30,15", "4e1.30.15", "inf.00.00",
          many + ".00.00", "0." + many, std::string("45.30\0.15", 9), std::string(10000, '.')}},
    };
    for (const auto& [answers, texts] : cases) {
        for (const std::string& text : texts) {
            const std::string given = std::string() + "01"[isValidLatSec(text)] +
                                      "01"[isValidLngSec(text)] + "01"[isValidLatCent(text)] +
                                      "01"[isValidLngCent(text)];
            EXPECT_EQ(given, answers) << text.substr(0, 40);
        }
    }
}

// Every short text over the characters that matter: whatever a validator accepts, the
// converters read, within the limit, into APRS fields of the right width.
TEST(CoordinateValidators, AcceptOnlyWhatTheConvertersRead) {
    int accepted = 0;
    for (int length = 1, count = 5; length <= 7; ++length, count *= 5) {
        for (int n = 0; n < count; ++n) {
            std::string t;
            for (int rest = n, i = 0; i < length; ++i, rest /= 5)
                t += "05.-N"[rest % 5];
            const double lng = secToDeg(t).value_or(1000);
            if (isValidLatCent(t) && ++accepted) {
                ASSERT_LE(std::abs(centToDeg(t).value_or(1000)), 90) << t;
                ASSERT_EQ(centToAprsLat(t).value_or("").size(), 8u) << t;
            }
            if (isValidLngSec(t) && ++accepted) {
                ASSERT_LE(std::abs(lng), 180) << t;
                const std::string cent = degToCent(lng).value_or("");
                ASSERT_EQ(centToAprsLng(cent).value_or("").size(), 9u) << t;
            }
        }
    }
    EXPECT_GT(accepted, 50);
}

// Typed coordinates read back: DecodePosition.GivesBackWhatTheCalculatorWasAsked.
// The minutes of Grad.Min.Cent are a 32-bit float; degrees carry and round half to even.
TEST(CoordinateConversion, AtTheEdges) {
    EXPECT_EQ(centToDeg("45.30.15").value_or(0), static_cast<double>(30.15f) / 60 + 45);
    EXPECT_EQ(centToDeg("S11.05.50").value_or(0), -(static_cast<double>(5.5f) / 60 + 11));
    const std::pair<double, const char*> cases[] = {
        {8 - 1e-9, "8.00.00"},   {10 + 20.0f / 60.0, "10.20.00"},
        {0.5 / 6000, "0.00.00"}, {1.5 / 6000, "0.00.02"},
        {-0.5, "-0.30.00"},      {179.999, "179.59.94"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(degToCent(value).value_or(""), text) << value;
    for (double value : {double(NAN), double(INFINITY), 1e7, -1e300})
        EXPECT_FALSE(degToCent(value)) << value;
    EXPECT_FALSE(centToDeg("1." + std::string(60, '9')));  // minutes beyond a float
    EXPECT_FALSE(reasonOf(centToAprsLat("x.30.15")).empty());
    EXPECT_FALSE(reasonOf(centToAprsLng("")).empty());
}

}  // namespace
}  // namespace zelvar
