#include "geo/position_calculation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "geo/aprs_position.h"

namespace zelvar {
namespace {

constexpr Notation kSec = Notation::GradMinSec;
constexpr Notation kCent = Notation::GradMinCent;
constexpr PositionForm kNormal = PositionForm::Normal;
constexpr PositionForm kCompressed = PositionForm::Compressed;

PositionRequest request(const char* latitude, const char* longitude, Notation notation,
                        PositionForm form, const char* metres = "0", bool included = false,
                        const char* symbol = ">", bool alternate = false) {
    return {latitude, longitude, notation, metres, included, form, symbol, alternate};
}

// The beacon and the metres shown back (the altitude is rewritten whether included or not, and
// negative only in the normal form), or a part of the reason, in the validator's words where a
// coordinate is wrong. Each option on its own: PositionCommand (cli_tests).
TEST(CalculatePosition, GivesTheBeaconOrNamesWhatIsWrong) {
    const std::tuple<PositionRequest, const char*, const char*> cases[] = {
        {request("45.30.15", "-11.05.50", kCent, kNormal), "=4530.15N/01105.50W>", "0"},
        {request("0.00.00", "0.00.00", kCent, kNormal, "1000"), "=0000.00N/00000.00E>", "1000"},
        {request("0.00.00", "0.00.00", kCent, kCompressed, "-10"), "=/NN!!NN!!>  _", "0"},
        {request("49.30.00", "-72.45.00", kSec, kNormal, "-1", true, "[", true),
         "=4930.00N\\07245.00W[/A=-00003", "-1"},
        {request("45.60.00", "0.00.00", kSec, kNormal), "minutes", nullptr},
        {request("0.00.00", "45.30.60", kSec, kCompressed),
         "longitude \"45.30.60\" (Grad.Min.Sec): seconds", nullptr},
        {request("45.30.1x", "0.00.00", kCent, kNormal), "hundredths", nullptr},
        {request("91.00.00", "0.00.00", kCent, kNormal), "90", nullptr},
        {request("0045.30.15", "0.00.00", kSec, kNormal), "too many", nullptr},
        {request(".30.15", "0.00.00", kCent, kNormal), "degrees", nullptr},
        {request("45", "0.00.00", kCent, kNormal), "\".\"", nullptr},
        {request("pasted text", "0.00.00", kCent, kNormal), "latitude \"pasted text\"", nullptr},
        {request("0.00.00", "0.00.00", kCent, kNormal, "9999999999", false), "altitude", nullptr},
        {request("0.00.00", "0.00.00", kCent, kNormal, "400000", true), "/A=", nullptr},
        {request("0.00.00", "0.00.00", kCent, kCompressed, "5000000", true), "compressed", nullptr},
        {request("0.00.00", "0.00.00", kCent, kNormal, "0", false, ""), "symbol", nullptr},
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
    const std::tuple<const char*, PositionForm, std::int32_t, const char*> cases[] = {
        {"-10", PositionForm::Normal, -33, "-10"},
        {"abc", PositionForm::Normal, 0, "0"},
        {"12abc", PositionForm::Normal, 39, "12"},
        {"1-2", PositionForm::Normal, 3, "1"},
        {"99999", PositionForm::Normal, 328081, "99999"},
        {"0.1524", PositionForm::Normal, 0, "0"},  // exactly half a foot goes to the even 0
        {"0.4572", PositionForm::Normal, 2, "1"},  // 1.5 ft goes to 2
        {"654553015", PositionForm::Normal, 2147483645, "654553015"},
        {"-654553016", PositionForm::Normal, -2147483647 - 1, "-654553016"},
    };
    for (const auto& [metres, form, feet, shown] : cases) {
        const Result<std::int32_t> result = altitudeFeet(metres, form);
        EXPECT_EQ(result.value_or(-1), feet) << metres << ": " << reasonOf(result);
        EXPECT_EQ(feetAsMetres(result.value_or(0)), shown) << metres;
    }
    const std::string huge(400, '9');
    for (const std::string& metres : {std::string("654553016"), std::string("-654553017"), huge})
        EXPECT_FALSE(altitudeFeet(metres, PositionForm::Normal)) << metres;
}

// The encoders at the edges of their fields; null where they refuse.
TEST(PositionEncoders, FillTheirFieldsOrRefuse) {
    const std::optional<std::int32_t> none;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<Result<std::string>, const char*> cases[] = {
        {normalPosition("1.00.00", "1.00.00", '/', '>', 999999), "=0100.00N/00100.00E>/A=999999"},
        {normalPosition("1.00.00", "1.00.00", '/', '>', -99999), "=0100.00N/00100.00E>/A=-99999"},
        {normalPosition("1.00.00", "1.00.00", '/', '>', 1000000), nullptr},
        {normalPosition("1.00.00", "1.00.00", '/', '>', -100000), nullptr},
        {normalPosition("1.00.00", "", '/', '>', none), nullptr},
        {makeCompressed(-90, 180, '\\', '>', none), "=\\{{!!{{!!>  _"},
        {makeCompressed(90, -180, '/', '>', none), "=/!!!!!!!!>  _"},
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

}  // namespace
}  // namespace zelvar
