#include "geo/coordinate_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "geo/coordinate_validation.h"
#include "position_samples.h"

namespace zelvar {
namespace {

// Hundredths of a minute, in the calculator's notation: "-72.45.00".
std::string cent(bool negative, int hundredths) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%d.%02d.%02d", negative && hundredths ? "-" : "",
                  hundredths / 6000, hundredths / 100 % 60, hundredths % 100);
    return text;
}

// Every typed coordinate within the limits: the validators take it, the converters read the
// degrees it stands for and turn them into Grad.Min.Cent.
TEST(CoordinateConversion, ReadsWhatWasTypedInBothNotations) {
    testing_support::PositionSamples samples(11);
    for (int round = 0; round < 2000; ++round) {
        const auto [r, latitude, longitude] = samples.next();
        const bool seconds = r.notation == Notation::GradMinSec;
        for (const auto& [text, expected, axis] :
             {std::tuple{r.latitude, latitude, Axis::Latitude},
              std::tuple{r.longitude, longitude, Axis::Longitude}}) {
            ASSERT_TRUE(validateCoordinate(text, axis, r.notation)) << text;
            const GeoResult<double> degrees = seconds ? secToDeg(text) : centToDeg(text);
            ASSERT_TRUE(degrees) << text;
            EXPECT_NEAR(*degrees, expected, 1e-7) << text;
            const int hundredths = static_cast<int>(std::lround(std::fabs(expected) * 6000));
            EXPECT_EQ(degToCent(*degrees).value, cent(expected < 0, hundredths)) << text;
        }
    }
}

// The minutes of Grad.Min.Cent are a 32-bit float; degrees carry and round half to even.
TEST(CoordinateConversion, AtTheEdges) {
    EXPECT_EQ(centToDeg("45.30.15").value, static_cast<double>(30.15f) / 60 + 45);
    EXPECT_EQ(centToDeg("S11.05.50").value, -(static_cast<double>(5.5f) / 60 + 11));
    const std::pair<double, const char*> cases[] = {
        {8 - 1e-9, "8.00.00"},   {10 + 20.0f / 60.0, "10.20.00"},
        {0.5 / 6000, "0.00.00"}, {1.5 / 6000, "0.00.02"},
        {-0.5, "-0.30.00"},      {179.999, "179.59.94"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(degToCent(value).value, text) << value;
    for (double value : {double(NAN), double(INFINITY), 1e7, -1e300})
        EXPECT_FALSE(degToCent(value)) << value;
    EXPECT_FALSE(centToDeg("1." + std::string(60, '9')));  // minutes beyond a float
    EXPECT_FALSE(centToAprsLat("x.30.15").reason.empty());
    EXPECT_FALSE(centToAprsLng("").reason.empty());
}

}  // namespace
}  // namespace zelvar
