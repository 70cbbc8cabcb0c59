#include "geo/coordinate_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace zelvar {
namespace {

TEST(IsAllDigits, NeedsAtLeastOneDigitAndNothingElse) {
    struct Case {
        std::string text;
        bool expected;
    };
    const Case cases[] = {{"", false},
                          {"09", true},
                          {"1.", false},
                          {"0", true},
                          {" 1", false},
                          {"1 ", false},
                          {"-1", false},
                          {"/", false},
                          {":", false},
                          {"\xb9", false},
                          {std::string(1, '\0'), false},
                          {"1234567890", true}};
    for (const Case& c : cases) {
        EXPECT_EQ(isAllDigits(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(SecToPacked, KeepsThePrefixAndTheThreeFields) {
    struct Case {
        const char* text;
        const char* packed;
    };
    const Case cases[] = {
        {"45.30.15", "0453015"},
        {"-11.05.50", "-0110550"},
        {"5.30.15", "0053015"},
        {"179.59.59", "1795959"},
        {"n45.30.15", "N0453015"},
        {"W7.00.00", "W0070000"},
        {"", "00"},
        {"5", "005"},
        {"+", "+00"},
        // Places 4 and 7 are skipped whatever they hold; longer texts keep their last nine.
        {"45x30y15", "0453015"},
        {"12345.67.89", "3456789"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(secToPacked(c.text), c.packed) << c.text;
    }
}

TEST(SecToDeg, SumsDegreesMinutesAndSeconds) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"-72.45.00", -72.75},
        {"45.30.15", 30.0 / 60 + 45 + 15.0 / 3600},
        {"S45.30.15", -(30.0 / 60 + 45 + 15.0 / 3600)},
        {"e11.05.50", 5.0 / 60 + 11 + 50.0 / 3600},
        {"90.00.00", 90},
        {"0.00.00", 0},
    };
    for (const Case& c : cases) {
        Result<double> value = secToDeg(c.text);
        ASSERT_TRUE(value) << c.text << ": " << reasonOf(value);
        EXPECT_DOUBLE_EQ(*value, c.expected) << c.text;
    }
}

TEST(PackedToDeg, ReadsSevenDigitsBehindTheSign) {
    EXPECT_DOUBLE_EQ(*packedToDeg("-0724500"), -72.75);
    EXPECT_DOUBLE_EQ(*packedToDeg("W0724500"), -72.75);
    EXPECT_DOUBLE_EQ(*packedToDeg("n0453000"), 45.5);
    EXPECT_DOUBLE_EQ(*packedToDeg("3000"), 0.5);  // zeros put in front
    EXPECT_DOUBLE_EQ(*packedToDeg(""), 0);
}

TEST(PackedToDeg, PiecesThatAreNoNumbersFail) {
    for (const char* packed : {"ab45300", "04x3000", "045300z", "0-10000", "-0-45000"}) {
        Result<double> value = packedToDeg(packed);
        EXPECT_FALSE(value) << packed;
        EXPECT_FALSE(reasonOf(value).empty());
    }
}

TEST(CentToDeg, MinutesAreA32BitFloat) {
    Result<double> value = centToDeg("45.30.15");
    ASSERT_TRUE(value);
    EXPECT_EQ(*value, static_cast<double>(30.15f) / 60 + 45);
    EXPECT_NE(*value, 45 + 30.15 / 60);  // 45.50249999..., not 45.5025
    EXPECT_LT(*value, 45.5025);
    EXPECT_EQ(*centToDeg("-11.05.50"), -(static_cast<double>(5.5f) / 60 + 11));
    EXPECT_NEAR(*centToDeg("-11.05.50"), -11.0916666, 1e-6);
}

TEST(CentToDeg, SignsAndShapes) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"s10.30.00", -10.5}, {"W10.30.00", -10.5}, {"+10.30.00", 10.5},
        {"N10.30", 10.5},     {"10.30x", 10.5},     {"10.", 10},
        {"0045.30.00", 45.5}, {"10.abc", 10},  // the minutes are whatever number starts the rest,
                                               // here none
    };
    for (const Case& c : cases) {
        Result<double> value = centToDeg(c.text);
        ASSERT_TRUE(value) << c.text << ": " << reasonOf(value);
        EXPECT_DOUBLE_EQ(*value, c.expected) << c.text;
    }
}

TEST(CentToDeg, FailsWithoutPointOrDegrees) {
    const std::string huge(60, '9');
    for (const std::string& text :
         {std::string(""), std::string("45"), std::string(".30.15"), std::string("-"),
          std::string("x.30.15"), huge + ".00.00", "1." + huge}) {
        Result<double> value = centToDeg(text);
        EXPECT_FALSE(value) << text;
        EXPECT_FALSE(reasonOf(value).empty()) << text;
    }
}

TEST(DegToCent, PacksAndUnpacksHundredthsOfAMinute) {
    struct Case {
        double value;
        const char* packed;
        const char* cent;
    };
    const Case cases[] = {
        {-0.5, "-0003000", "-0.30.00"},
        {0, "0000000", "0.00.00"},
        {-72.75, "-0724500", "-72.45.00"},
        {30.0 / 60 + 45 + 15.0 / 3600, "0453025", "45.30.25"},
        {-(5.0 / 60 + 11 + 50.0 / 3600), "-0110583", "-11.05.83"},
        {7.5, "0073000", "7.30.00"},
        {179.999, "1795994", "179.59.94"},
        {8 - 1e-9, "0080000", "8.00.00"},            // hundredths and minutes carry
        {10 + 20.0f / 60.0, "0102000", "10.20.00"},  // 19.99999... minutes round up
        {0.5 / 6000, "0000000", "0.00.00"},          // half a hundredth goes to the even 0
        {1.5 / 6000, "0000002", "0.00.02"},
    };
    for (const Case& c : cases) {
        Result<std::string> packed = degToPackedCent(c.value);
        ASSERT_TRUE(packed) << c.value;
        EXPECT_EQ(*packed, c.packed) << c.value;
        EXPECT_EQ(*degToCent(c.value), c.cent) << c.value;
    }
}

TEST(DegToCent, RefusesWhatIsNoCoordinate) {
    for (double value : {double(NAN), double(INFINITY), -double(INFINITY), 1e7, -1e300}) {
        EXPECT_FALSE(degToPackedCent(value)) << value;
        EXPECT_FALSE(degToCent(value)) << value;
    }
}

TEST(PackedCentToCent, DropsAtMostTwoLeadingZeros) {
    EXPECT_EQ(packedCentToCent("0450000"), "45.00.00");
    EXPECT_EQ(packedCentToCent("0070000"), "7.00.00");
    EXPECT_EQ(packedCentToCent("1795999"), "179.59.99");
    EXPECT_EQ(packedCentToCent("w0070000"), "W7.00.00");
    EXPECT_EQ(packedCentToCent(""), "0.00.00");
    EXPECT_EQ(packedCentToCent("12"), "0.00.12");
}

TEST(CentToAprs, FieldsAndHemispheres) {
    struct Case {
        const char* text;
        const char* latitude;   // nullptr: not a latitude text
        const char* longitude;  // nullptr: not a longitude text
    };
    const Case cases[] = {
        {"45.30.15", "4530.15N", "04530.15E"},  {"7.30.00", "0730.00N", "00730.00E"},
        {"-0.30.00", "0030.00S", "00030.00W"},  {"-11.05.50", "1105.50S", "01105.50W"},
        {"0.00.00", "0000.00N", "00000.00E"},   {"0045.30.15", "4530.15N", "04530.15E"},
        {"+90.00.00", "9000.00N", "09000.00E"}, {"180.00.00", "18000.00N", "18000.00E"},
        {"s45.30.15", "4530.15S", nullptr},     {"n45.30.15", "4530.15N", nullptr},
        {"w11.05.50", nullptr, "01105.50W"},    {"E179.59.99", nullptr, "17959.99E"},
    };
    for (const Case& c : cases) {
        Result<std::string> latitude = centToAprsLat(c.text);
        Result<std::string> longitude = centToAprsLng(c.text);
        EXPECT_EQ(bool(latitude), c.latitude != nullptr) << c.text;
        EXPECT_EQ(bool(longitude), c.longitude != nullptr) << c.text;
        if (latitude && c.latitude) {
            EXPECT_EQ(*latitude, c.latitude) << c.text;
        }
        if (longitude && c.longitude) {
            EXPECT_EQ(*longitude, c.longitude) << c.text;
        }
    }
}

TEST(CentToAprs, MalformedTextFails) {
    for (const char* text : {"", "N", "-", "45", "N.30.15", "-.30.15", "ab.30.15"}) {
        EXPECT_FALSE(centToAprsLat(text)) << text;
        EXPECT_FALSE(centToAprsLng(text)) << text;
    }
}

}  // namespace
}  // namespace zelvar
