#include "geo/position_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "position_samples.h"

namespace zelvar {
namespace {

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

TEST(DecodePosition, ReadsTheThreeForms) {
    for (const auto& [text, described] : kSamples) {
        const Result<DecodedPosition> position = decodePosition(text);
        ASSERT_TRUE(position) << text << ": " << reasonOf(position);
        EXPECT_EQ(describePosition(*position), described) << text;
    }
}

// Every truncation of a good text is refused (but the normal form inside the one with an
// altitude), and one character more too; so is every other form.
TEST(DecodePosition, RefusesEverythingElse) {
    std::vector<std::string> refused = {std::string("=4930.00N/07245.00W>\0\0\0", 23),
                                        std::string(100000, '=')};
    for (const char* text : {"!4930.00N/07245.00W>", "=4930.00n/07245.00W>", "=4960.00N/07245.00W>",
                             "=9000.01N/07245.00W>", "=4930.00N/18000.01W>", "=4930.00N|07245.00W>",
                             "=4930.00N/07245.00W\x7f", "=4930.00N/07245.00W>/A=-00000",
                             "=4930.00N/07245.00W>/A=00098x", "=4930.00N/07245.00W>/B=000984",
                             "=/5L!!<*e8> !Q", "=/5L!!<*e8>  X", "=/5L!!<*e8>\x01  _"})
        refused.emplace_back(text);
    for (const auto& [text, described] : kSamples) {
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

}  // namespace
}  // namespace zelvar
