#include "geo/coordinate_validation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geo/coordinate_conversion.h"

namespace zelvar {
namespace {

// Expected answers of the four validators for one text.
struct Case {
    std::string text;
    bool latSec;
    bool lngSec;
    bool latCent;
    bool lngCent;
};

std::vector<Case> cases() {
    const std::string many(400, '9');
    return {
        {"00.00.00", true, true, true, true},
        {"90.00.00", true, true, true, true},
        {"90.00.01", false, true, false, true},   // above 90
        {"100.00.00", false, true, false, true},  // nine characters and above 90
        {"179.59.59", false, true, false, true},
        {"180.00.00", false, true, false, true},
        {"180.00.01", false, false, false, false},
        {"45.60.00", false, false, false, false},  // minutes
        {"45.30.60", false, false, true, true},    // 60 seconds, but 60 hundredths are fine
        {"45.30.99", false, false, true, true},
        {"0045.30.15", false, false, true, true},  // Grad.Min.Sec has a length limit
        {"179.59.5", false, false, false, false},  // one digit in the last field
        {"0179.59.59", false, false, false, true},
        {"00179.59.59", false, false, false, true},
        {"S45.30.15", true, false, true, false},
        {"-45.30.15", true, true, true, true},
        {"+45.30.15", true, true, true, true},
        {"E45.30.15", false, true, false, true},
        {"w11.05.50", false, true, false, true},  // letters in upper case
        {"n11.05.50", true, false, true, false},
        {"5.00.00", true, true, true, true},
        {"45.3.15", false, false, false, false},
        {".30.15", false, false, false, false},
        {"4530.15", false, false, false, false},
        {"5", false, false, false, false},
        // Garbage, truncated and oversized text: false, never an exception or a crash.
        {"", false, false, false, false},
        {".", false, false, false, false},
        {"..", false, false, false, false},
        {"...", false, false, false, false},
        {"-", false, false, false, false},
        {"N", false, false, false, false},
        {"--45.30.15", false, false, false, false},
        {"NS45.30.15", false, false, false, false},
        {"45.30.15.", false, false, false, false},
        {"45.30.1", false, false, false, false},
        {"45.30.", false, false, false, false},
        {"45..15", false, false, false, false},
        {" 45.30.15", false, false, false, false},
        {"45.30.15 ", false, false, false, false},
        {"45,30,15", false, false, false, false},
        {"4e1.30.15", false, false, false, false},
        {"45.30.1x", false, false, false, false},
        {"inf.00.00", false, false, false, false},
        {"nan", false, false, false, false},
        {"\xff\xfe.\x80\x80.\xb9\xb9", false, false, false, false},
        {std::string("45.30\0.15", 9), false, false, false, false},
        {many + ".00.00", false, false, false, false},
        {"0." + many, false, false, false, false},
        {std::string(10000, '.'), false, false, false, false},
        {std::string(5000, '0') + ".00.00", false, false, true, true},  // zeros are 0 degrees
    };
}

TEST(CoordinateValidators, AnswerEveryTextWithoutFailing) {
    for (const Case& c : cases()) {
        const std::string shown = c.text.substr(0, 40);
        EXPECT_EQ(isValidLatSec(c.text), c.latSec) << shown;
        EXPECT_EQ(isValidLngSec(c.text), c.lngSec) << shown;
        EXPECT_EQ(isValidLatCent(c.text), c.latCent) << shown;
        EXPECT_EQ(isValidLngCent(c.text), c.lngCent) << shown;
    }
}

TEST(CoordinateValidators, GiveAReasonWhenInvalid) {
    struct Reason {
        const char* text;
        Notation notation;
        const char* contains;
    };
    const Reason reasons[] = {
        {"45.60.00", Notation::GradMinSec, "minutes"},
        {"45.30.60", Notation::GradMinSec, "seconds"},
        {"45.30.1x", Notation::GradMinCent, "hundredths"},
        {"91.00.00", Notation::GradMinCent, "90"},
        {"0045.30.15", Notation::GradMinSec, "too many"},
        {"4530.15", Notation::GradMinCent, "90"},
        {".30.15", Notation::GradMinCent, "degrees"},
        {"45", Notation::GradMinCent, "\".\""},
    };
    for (const Reason& r : reasons) {
        Result<> v = validateCoordinate(r.text, Axis::Latitude, r.notation);
        EXPECT_FALSE(v) << r.text;
        EXPECT_NE(reasonOf(v).find(r.contains), std::string::npos) << r.text << ": " << reasonOf(v);
    }
}

// Every short text over the characters that matter: whatever a validator accepts, the
// converters read, within the limit, into APRS fields of the right width.
TEST(CoordinateValidators, AcceptOnlyWhatTheConvertersRead) {
    const std::string alphabet = "05.-N";
    std::vector<std::string> texts = {""};
    int accepted = 0;
    for (int length = 1; length <= 7; ++length) {
        std::vector<std::string> longer;
        for (const std::string& t : texts) {
            for (char c : alphabet) {
                longer.push_back(t + c);
            }
        }
        texts = std::move(longer);
        for (const std::string& t : texts) {
            if (isValidLatCent(t)) {
                ++accepted;
                Result<double> value = centToDeg(t);
                ASSERT_TRUE(value) << t;
                EXPECT_LE(std::abs(*value), 90) << t;
                Result<std::string> aprs = centToAprsLat(t);
                ASSERT_TRUE(aprs) << t;
                EXPECT_EQ(aprs->size(), 8u) << t;
            }
            if (isValidLngSec(t)) {
                ++accepted;
                Result<double> value = secToDeg(t);
                ASSERT_TRUE(value) << t;
                EXPECT_LE(std::abs(*value), 180) << t;
                Result<std::string> cent = degToCent(*value);
                ASSERT_TRUE(cent) << t;
                Result<std::string> aprs = centToAprsLng(*cent);
                ASSERT_TRUE(aprs) << t;
                EXPECT_EQ(aprs->size(), 9u) << t;
            }
        }
    }
    EXPECT_GT(accepted, 50);
}

}  // namespace
}  // namespace zelvar
