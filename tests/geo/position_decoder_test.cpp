#include "geo/position_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "geo/coordinate_conversion.h"
#include "geo/position_calculation.h"

namespace zelvar {
namespace {

// What the calculator writes, read back.
struct Sample {
    const char* text;
    const char* described;
};

const Sample kSamples[] = {
    {"=4930.00N/07245.00W>", "N49.30.00 W72.45.00, symbol />"},
    {"=4930.00N/07245.00W>/A=000984", "N49.30.00 W72.45.00, symbol />, altitude 984 ft (300 m)"},
    {"=0100.00N/00100.00E>/A=-00033", "N1.00.00 E1.00.00, symbol />, altitude -33 ft (-10 m)"},
    {"=4530.15N\\01105.50Wk", "N45.30.15 W11.05.50, symbol \\k"},
    {"=9000.00S/18000.00E ", "S90.00.00 E180.00.00, symbol / "},
    {"=/5L!!<*e8>FsQ", "N49.30.00 W72.45.00, symbol />, altitude 983 ft (300 m)"},
    {"=\\5L!!<*e8>  _", "N49.30.00 W72.45.00, symbol \\>"},
    {"=/7MqRK_r.>  _", "N45.30.15 W11.05.50, symbol />"},
    {"=/NN!!NN!!>!!Q", "N0.00.00 E0.00.00, symbol />, altitude 1 ft (0 m)"},
    {"=/{{!!{{!!>  _", "S90.00.00 E180.00.00, symbol />"},
    {"=/!!!!!!!!>  _", "N90.00.00 W180.00.00, symbol />"},
};

TEST(DecodePosition, ReadsTheThreeForms) {
    for (const Sample& sample : kSamples) {
        Result<DecodedPosition> position = decodePosition(sample.text);
        ASSERT_TRUE(position) << sample.text << ": " << reasonOf(position);
        EXPECT_EQ(describePosition(*position), sample.described) << sample.text;
    }
}

void expectRefused(const std::string& text) {
    Result<DecodedPosition> position = decodePosition(text);
    EXPECT_FALSE(position) << text;
    EXPECT_TRUE(reasonOf(position).starts_with(kNotACalculatorPosition)) << reasonOf(position);
}

TEST(DecodePosition, RefusesEverythingElse) {
    for (const char* text : {"",
                             "=",
                             "Zelvar, version 4.0 - by QX9ABC Pim",
                             "!4930.00N/07245.00W>",
                             "=4930.00n/07245.00W>",           // hemisphere in lower case
                             "=4960.00N/07245.00W>",           // 60 minutes
                             "=9000.01N/07245.00W>",           // beyond 90 degrees
                             "=4930.00N/18000.01W>",           // beyond 180 degrees
                             "=4930,00N/07245.00W>",           // no decimal point
                             "=4930.00N|07245.00W>",           // no such table
                             "=4930.00N/07245.00W\x7f",        // control character as symbol
                             "=4930.00N/07245.00W>/A=-00000",  // no negative zero
                             "=4930.00N/07245.00W>/A=00098x",
                             "=4930.00N/07245.00W>/B=000984",
                             "=4930.00N/07245.00W>/A=\xff"
                             "00984",
                             "=/{{{{!!!!>  _",  // beyond 180 degrees of latitude
                             "=/5L!!<*e8> !Q",
                             "=/5L!!<*e8>  X",
                             "=/5L!~<*e8>  _",
                             "=/5L!!<*e8>\x01  _"}) {
        expectRefused(text);
    }
    expectRefused(std::string("=4930.00N/07245.00W>\0\0\0\0\0\0\0\0\0", 29));
    expectRefused(std::string(100000, '='));
}

// Every truncation of a good text is refused, except the normal form inside the one with an
// altitude; one character more is refused too.
TEST(DecodePosition, RefusesTruncatedAndLongerTexts) {
    for (const Sample& sample : kSamples) {
        const std::string text = sample.text;
        for (std::size_t length = 0; length < text.size(); ++length) {
            if (length != 20) {
                expectRefused(text.substr(0, length));
            }
        }
        expectRefused(text + " ");
    }
}

// Random calculator requests: the text decodes to what was asked, within the form's resolution.
TEST(DecodePosition, GivesBackWhatTheCalculatorWasAsked) {
    std::mt19937 random(16);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    auto coordinate = [&](int limit, Notation notation, const char* prefixes) {
        const char prefix = prefixes[pick(0, 4)];
        char text[32];
        std::snprintf(text, sizeof text, "%.*s%d.%02d.%02d", prefix == ' ' ? 0 : 1, &prefix,
                      pick(0, limit), pick(0, 59),
                      pick(0, notation == Notation::GradMinSec ? 59 : 99));
        return std::string(text);
    };
    int checked = 0;
    while (checked < 3000) {
        PositionRequest request;
        request.notation = pick(0, 1) ? Notation::GradMinSec : Notation::GradMinCent;
        request.latitude = coordinate(90, request.notation, " NS+-");
        request.longitude = coordinate(180, request.notation, " EW+-");
        request.form = pick(0, 1) ? PositionForm::Compressed : PositionForm::Normal;
        request.includeAltitude = pick(0, 1) == 1;
        request.altitude = std::to_string(pick(-9999, 99999));
        request.symbol = std::string(1, static_cast<char>(pick(32, 126)));
        request.alternateTable = pick(0, 1) == 1;
        Result<CalculatedPosition> calculated = calculatePosition(request);
        if (!calculated) {
            continue;  // beyond 90 or 180 degrees
        }
        ++checked;
        const std::string& text = calculated->text;
        Result<DecodedPosition> decoded = decodePosition(text);
        ASSERT_TRUE(decoded) << text << ": " << reasonOf(decoded);
        auto asked = [&](const std::string& typed) {
            return *(request.notation == Notation::GradMinSec ? secToDeg(typed) : centToDeg(typed));
        };
        const bool compressed = request.form == PositionForm::Compressed;
        // Half a digit: hundredths of a minute, or the compressed scales.
        const double latitudeStep = compressed ? 1 / 380926.0 : 1 / 6000.0;
        const double longitudeStep = compressed ? 1 / 190463.0 : 1 / 6000.0;
        EXPECT_EQ(decoded->form, request.form) << text;
        EXPECT_NEAR(decoded->latitude, asked(request.latitude), latitudeStep / 2 + 1e-7) << text;
        EXPECT_NEAR(decoded->longitude, asked(request.longitude), longitudeStep / 2 + 1e-7) << text;
        EXPECT_EQ(decoded->table, request.alternateTable ? '\\' : '/') << text;
        EXPECT_EQ(decoded->symbol, request.symbol.front()) << text;
        ASSERT_EQ(decoded->feet.has_value(), request.includeAltitude) << text;
        if (request.includeAltitude) {
            // The compressed digits are a power of 1.002, rounded: half a step, and 0 ft reads
            // as 1 ft.
            const double feet = calculated->feet;
            const double tolerance = compressed ? std::max(1.0, feet * 0.001) : 0;
            EXPECT_NEAR(*decoded->feet, feet, tolerance) << text;
        }
    }
}

}  // namespace
}  // namespace zelvar
