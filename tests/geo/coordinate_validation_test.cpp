#include "geo/coordinate_validation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "geo/coordinate_conversion.h"

namespace zelvar {
namespace {

// The texts each answer of isValidLatSec, isValidLngSec, isValidLatCent and isValidLngCent
// ("1" valid, "0" not) is given for.
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
