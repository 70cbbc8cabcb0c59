#include "geo/position_calculation.h"

#include <gtest/gtest.h>

#include <string>

namespace zelvar {
namespace {

PositionRequest request(std::string latitude, std::string longitude, Notation notation,
                        PositionForm form) {
    PositionRequest r;
    r.latitude = std::move(latitude);
    r.longitude = std::move(longitude);
    r.notation = notation;
    r.form = form;
    return r;
}

constexpr Notation kSec = Notation::GradMinSec;
constexpr Notation kCent = Notation::GradMinCent;
constexpr PositionForm kNormal = PositionForm::Normal;
constexpr PositionForm kCompressed = PositionForm::Compressed;

struct Case {
    PositionRequest request;
    std::string text;
    std::string altitudeShown;
};

PositionRequest withAltitude(PositionRequest r, std::string metres, bool included = true) {
    r.altitude = std::move(metres);
    r.includeAltitude = included;
    return r;
}

PositionRequest withSymbol(PositionRequest r, std::string symbol, bool alternate) {
    r.symbol = std::move(symbol);
    r.alternateTable = alternate;
    return r;
}

// The parts (validation, conversion, the APRS texts, the altitude) are tabled with their own
// functions; here how the request chooses and joins them.
TEST(CalculatePosition, TheThreeFormsInBothNotations) {
    const PositionRequest sec = request("49.30.00", "-72.45.00", kSec, kNormal);
    const PositionRequest secCompressed = request("49.30.00", "-72.45.00", kSec, kCompressed);
    const Case cases[] = {
        {sec, "=4930.00N/07245.00W>", "0"},
        {withAltitude(sec, "300"), "=4930.00N/07245.00W>/A=000984", "300"},
        {withAltitude(secCompressed, "300"), "=/5L!!<*e8>FsQ", "300"},
        {withSymbol(sec, ">", true), "=4930.00N\\07245.00W>", "0"},
        {withSymbol(sec, "[", false), "=4930.00N/07245.00W[", "0"},
        {request("45.30.15", "-11.05.50", kCent, kNormal), "=4530.15N/01105.50W>", "0"},
        {request("45.30.15", "-11.05.50", kCent, kCompressed), "=/7MqRK_r.>  _", "0"},
        {request("45.30.15", "0.00.00", kSec, kNormal), "=4530.25N/00000.00E>", "0"},
        // Altitude: rewritten whether included or not; negative only in the normal form.
        {withAltitude(request("0.00.00", "0.00.00", kCent, kNormal), "-10"),
         "=0000.00N/00000.00E>/A=-00033", "-10"},
        {withAltitude(request("0.00.00", "0.00.00", kCent, kCompressed), "-10"), "=/NN!!NN!!>!!Q",
         "0"},
        {withAltitude(request("0.00.00", "0.00.00", kCent, kNormal), "1000", false),
         "=0000.00N/00000.00E>", "1000"},
        {withAltitude(request("0.00.00", "0.00.00", kCent, kCompressed), "-10", false),
         "=/NN!!NN!!>  _", "0"},
    };
    for (const Case& c : cases) {
        Result<CalculatedPosition> position = calculatePosition(c.request);
        ASSERT_TRUE(position) << c.text << ": " << reasonOf(position);
        EXPECT_EQ(position->text, c.text);
        EXPECT_EQ(position->altitude, c.altitudeShown) << c.text;
    }
}

TEST(CalculatePosition, RefusesBadInputAndNamesIt) {
    struct Bad {
        PositionRequest request;
        const char* contains;
    };
    const Bad cases[] = {
        {request("45.30.99", "0.00.00", kSec, kCompressed), "latitude"},
        {request("45.30.99", "0.00.00", kCent, kCompressed), ""},  // fine: hundredths
        {request("0.00.00", "181.00.00", kCent, kNormal), "longitude"},
        {request("pasted text", "0.00.00", kCent, kNormal), "latitude \"pasted text\""},
        {withAltitude(request("0.00.00", "0.00.00", kCent, kNormal), "9999999999"), "altitude"},
        {withAltitude(request("0.00.00", "0.00.00", kCent, kNormal), "9999999999", false),
         "altitude"},
        {withAltitude(request("0.00.00", "0.00.00", kCent, kNormal), "400000"), "/A="},
        {withAltitude(request("0.00.00", "0.00.00", kCent, kCompressed), "5000000"), "compressed"},
        {withSymbol(request("0.00.00", "0.00.00", kCent, kNormal), "", false), "symbol"},
        {withSymbol(request("0.00.00", "0.00.00", kCent, kNormal), ">>", false), "symbol"},
    };
    for (const Bad& b : cases) {
        Result<CalculatedPosition> position = calculatePosition(b.request);
        if (std::string(b.contains).empty()) {
            EXPECT_TRUE(position) << reasonOf(position);
            continue;
        }
        ASSERT_FALSE(position) << b.contains;
        EXPECT_NE(reasonOf(position).find(b.contains), std::string::npos) << reasonOf(position);
    }
}

}  // namespace
}  // namespace zelvar
