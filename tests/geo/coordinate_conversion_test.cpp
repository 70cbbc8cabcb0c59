#include "geo/coordinate_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace zelvar {
namespace {

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
