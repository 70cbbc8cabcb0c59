#include "geo/position_calculation.h"

#include <gtest/gtest.h>

#include <string>

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

// The beacon and the metres shown back: the altitude is rewritten whether included or not, and
// negative only in the normal form. Each option on its own: PositionCommand (cli_tests).
TEST(CalculatePosition, TheThreeFormsInBothNotations) {
    const std::tuple<PositionRequest, const char*, const char*> cases[] = {
        {request("45.30.15", "-11.05.50", kCent, kNormal), "=4530.15N/01105.50W>", "0"},
        {request("0.00.00", "0.00.00", kCent, kNormal, "1000"), "=0000.00N/00000.00E>", "1000"},
        {request("0.00.00", "0.00.00", kCent, kCompressed, "-10"), "=/NN!!NN!!>  _", "0"},
        {request("49.30.00", "-72.45.00", kSec, kNormal, "-1", true, "[", true),
         "=4930.00N\\07245.00W[/A=-00003", "-1"},
    };
    for (const auto& [asked, text, altitude] : cases) {
        const Result<CalculatedPosition> position = calculatePosition(asked);
        ASSERT_TRUE(position) << text << ": " << reasonOf(position);
        EXPECT_EQ(position->text, text);
        EXPECT_EQ(position->altitude, altitude) << text;
    }
}

TEST(CalculatePosition, RefusesBadInputAndNamesIt) {
    const std::pair<PositionRequest, const char*> cases[] = {
        {request("45.30.99", "0.00.00", kSec, kCompressed), "latitude"},
        {request("pasted text", "0.00.00", kCent, kNormal), "latitude \"pasted text\""},
        {request("0.00.00", "0.00.00", kCent, kNormal, "9999999999", false), "altitude"},
        {request("0.00.00", "0.00.00", kCent, kNormal, "400000", true), "/A="},
        {request("0.00.00", "0.00.00", kCent, kCompressed, "5000000", true), "compressed"},
        {request("0.00.00", "0.00.00", kCent, kNormal, "0", false, ""), "symbol"},
    };
    for (const auto& [asked, contains] : cases) {
        const Result<CalculatedPosition> position = calculatePosition(asked);
        EXPECT_FALSE(position) << contains;
        EXPECT_NE(reasonOf(position).find(contains), std::string::npos) << reasonOf(position);
    }
}

}  // namespace
}  // namespace zelvar
