#include "geo/aprs_position.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace zelvar {
namespace {

TEST(AltitudeFeet, RoundsMetresToWholeFeet) {
    struct Case {
        const char* metres;
        PositionForm form;
        std::int32_t feet;
        const char* shownBack;
    };
    const Case cases[] = {
        {"300", PositionForm::Normal, 984, "300"},
        {"1000", PositionForm::Normal, 3281, "1000"},
        {"212", PositionForm::Normal, 696, "212"},
        {"-10", PositionForm::Normal, -33, "-10"},
        {"-10", PositionForm::Compressed, 0, "0"},
        {"0", PositionForm::Compressed, 0, "0"},
        {"", PositionForm::Normal, 0, "0"},
        {"abc", PositionForm::Normal, 0, "0"},
        {"12abc", PositionForm::Normal, 39, "12"},
        {"-", PositionForm::Normal, 0, "0"},
        {"1-2", PositionForm::Normal, 3, "1"},
        {"99999", PositionForm::Normal, 328081, "99999"},
        {"-9999", PositionForm::Normal, -32805, "-9999"},
        {"0.1524", PositionForm::Normal, 0, "0"},  // exactly half a foot goes to the even 0
        {"0.4572", PositionForm::Normal, 2, "1"},  // 1.5 ft goes to 2
    };
    for (const Case& c : cases) {
        Result<std::int32_t> feet = altitudeFeet(c.metres, c.form);
        ASSERT_TRUE(feet) << c.metres;
        EXPECT_EQ(*feet, c.feet) << c.metres;
        EXPECT_EQ(feetAsMetres(*feet), c.shownBack) << c.metres;
    }
}

TEST(AltitudeFeet, RefusesFeetBeyond32Bits) {
    const std::string huge(400, '9');
    for (const std::string& metres :
         {std::string("654553016"), std::string("-654553017"), huge, "-" + huge}) {
        Result<std::int32_t> feet = altitudeFeet(metres, PositionForm::Normal);
        EXPECT_FALSE(feet) << metres;
        EXPECT_FALSE(reasonOf(feet).empty());
    }
    EXPECT_TRUE(altitudeFeet("654553015", PositionForm::Normal));   // 2147483645 ft
    EXPECT_TRUE(altitudeFeet("-654553016", PositionForm::Normal));  // -2147483648 ft
}

TEST(Base91, DigitsFromExclamationMarkToBrace) {
    EXPECT_EQ(base91(0, 4), "!!!!");
    EXPECT_EQ(base91(90, 1), "{");
    EXPECT_EQ(base91(91 * 91 * 91 * 91 - 1, 4), "{{{{");
    EXPECT_EQ(base91(3276, 2), "E!");
    EXPECT_EQ(base91(20427157, 4), "<*e8");
}

TEST(NormalPosition, TwentyOrTwentyNineCharacters) {
    struct Case {
        const char* latitude;
        const char* longitude;
        char table;
        std::optional<std::int32_t> feet;
        const char* expected;
    };
    const Case cases[] = {
        {"49.30.00", "-72.45.00", '/', std::nullopt, "=4930.00N/07245.00W>"},
        {"49.30.00", "-72.45.00", '/', 984, "=4930.00N/07245.00W>/A=000984"},
        {"49.30.00", "-72.45.00", '\\', std::nullopt, "=4930.00N\\07245.00W>"},
        {"45.30.15", "-11.05.50", '/', std::nullopt, "=4530.15N/01105.50W>"},
        {"0.00.00", "0.00.00", '/', std::nullopt, "=0000.00N/00000.00E>"},
        {"1.00.00", "1.00.00", '/', -33, "=0100.00N/00100.00E>/A=-00033"},
        {"1.00.00", "1.00.00", '/', 0, "=0100.00N/00100.00E>/A=000000"},
        {"1.00.00", "1.00.00", '/', 999999, "=0100.00N/00100.00E>/A=999999"},
        {"1.00.00", "1.00.00", '/', -99999, "=0100.00N/00100.00E>/A=-99999"},
    };
    for (const Case& c : cases) {
        Result<std::string> text = normalPosition(c.latitude, c.longitude, c.table, '>', c.feet);
        ASSERT_TRUE(text) << c.expected << ": " << reasonOf(text);
        EXPECT_EQ(*text, c.expected);
        EXPECT_EQ(text->size(), c.feet ? 29u : 20u);
    }
}

TEST(NormalPosition, RefusesWhatDoesNotFitItsFields) {
    EXPECT_FALSE(normalPosition("1.00.00", "1.00.00", '/', '>', 1000000));
    EXPECT_FALSE(normalPosition("1.00.00", "1.00.00", '/', '>', -100000));
    EXPECT_FALSE(normalPosition("1", "1.00.00", '/', '>', std::nullopt));
    EXPECT_FALSE(normalPosition("1.00.00", "", '/', '>', std::nullopt));
}

TEST(MakeCompressed, FourteenCharacters) {
    struct Case {
        double latitude;
        double longitude;
        char table;
        std::optional<std::int32_t> feet;
        const char* expected;
    };
    const Case cases[] = {
        // X = 107.25 * 190463 = 20427156.75 is rounded: the last digit is '8', not '7'.
        {49.5, -72.75, '/', std::nullopt, "=/5L!!<*e8>  _"},
        {49.5, -72.75, '/', 984, "=/5L!!<*e8>FsQ"},
        {49.5, -72.75, '\\', std::nullopt, "=\\5L!!<*e8>  _"},
        {0, 0, '/', std::nullopt, "=/NN!!NN!!>  _"},
        {-90, 180, '/', std::nullopt, "=/{{!!{{!!>  _"},
        {90, -180, '/', std::nullopt, "=/!!!!!!!!>  _"},
        {0, 0, '/', 0, "=/NN!!NN!!>!!Q"},
        {0, 0, '/', 1, "=/NN!!NN!!>!!Q"},    // 1.002 ^ 0
        {0, 0, '/', 696, "=/NN!!NN!!>E!Q"},  // cs 3275.95 rounds to 3276 = 36 * 91
    };
    for (const Case& c : cases) {
        Result<std::string> text = makeCompressed(c.latitude, c.longitude, c.table, '>', c.feet);
        ASSERT_TRUE(text) << c.expected << ": " << reasonOf(text);
        EXPECT_EQ(*text, c.expected);
        EXPECT_EQ(text->size(), 14u);
    }
}

TEST(MakeCompressed, RefusesWhatDoesNotFitItsDigits) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(makeCompressed(90.0001, 0, '/', '>', std::nullopt));
    EXPECT_FALSE(makeCompressed(0, -180.0001, '/', '>', std::nullopt));
    EXPECT_FALSE(makeCompressed(nan, 0, '/', '>', std::nullopt));
    EXPECT_FALSE(makeCompressed(0, nan, '/', '>', std::nullopt));
    EXPECT_FALSE(makeCompressed(0, 0, '/', '>', -1));
    // cs must stay below 91 * 91: 1.002 ^ 8280.5 is about 15.3 million feet.
    EXPECT_TRUE(makeCompressed(0, 0, '/', '>', 15000000));
    EXPECT_FALSE(makeCompressed(0, 0, '/', '>', 16000000));
    EXPECT_FALSE(makeCompressed(0, 0, '/', '>', std::numeric_limits<std::int32_t>::max()));
}

}  // namespace
}  // namespace zelvar
