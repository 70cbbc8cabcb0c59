#include "config/input_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace zelvar {
namespace {

using enum Field;

// What a field keeps of typed text, character by character, up to its length.
template <typename Which>
std::string keep(Which field, std::string_view typed, bool gpsless = false) {
    const InputRule& rule = inputRule(field);
    std::string kept;
    for (char c : typed) {
        const int code = acceptedCode(rule, static_cast<unsigned char>(c), gpsless);
        if (code != kDroppedKey && (rule.maxLength == 0 || kept.size() < rule.maxLength))
            kept += static_cast<char>(code);
    }
    return kept;
}

TEST(InputRules, FieldsKeepWhatTheTrackerCanUse) {
    const std::string quotesAndBraces = "a'b`c{d|e~f}g\xE9";
    const std::tuple<Field, std::string, std::string, bool> rows[] = {
        {MyCall, "ab-1/ c,q\xE9", "AB-1CQ", false},
        {DestCall, "qx9abc-123", "QX9ABC-12", false},
        {AprsPath, "wide1-1,wide2-2,wide3 a/b.", "WIDE1-1,WIDE2-2,WID", false},
        {AprsMsg, "{|~}\x7F\xE9x", "}x", false},
        {AutoReplyMsg, "a{|~}\xE9\t", "a{|~}\xE9", false},
        {Beacon, quotesAndBraces, "abcdefg", false},
        {Beacon, quotesAndBraces, "a'b`c{defg", true},
        {Symbol, "\x7F_x", "_", false},
        {NumFlagsAuto, "1a2-3 4", "123", false},
        {SpeedTable0, "98765", "9876", false},
        {SpeedTable2, "+1234", "123", false},
        {CommPort, "x12", "1", false},
        {AltTable, "01", "", false},
    };
    for (const auto& [field, typed, kept, gpsless] : rows)
        EXPECT_EQ(keep(field, typed, gpsless), kept) << fieldName(field) << " " << typed;
}

TEST(InputRules, CalculatorTakesSignsAndTheAxisHemispheres) {
    EXPECT_EQ(keep(CalculatorField::Latitude, "n-+45.3s0ew,x"), "N-+45.3S0");
    EXPECT_EQ(keep(CalculatorField::Longitude, "e-+9.w0ns"), "E-+9.W0");
    EXPECT_EQ(keep(CalculatorField::Altitude, "-12.3456"), "-1234");
}

// Digit masks show "_" and select their content on entry, except the acquisition timeout; the
// lengths agree with the record's limits.
TEST(InputRules, MasksAndLimitsFollowTheRecord) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        const InputRule& rule = inputRule(field);
        EXPECT_EQ(rule.maxLength, maxLength(field)) << fieldName(field);
        const bool digits = rule.masked && field != Symbol;
        EXPECT_EQ(rule.selectAllOnFocus, (digits && field != GpsAcqTime) || field == Symbol)
            << fieldName(field);
    }
    EXPECT_TRUE(isGpslessTimeout(""));
    EXPECT_TRUE(isGpslessTimeout("000"));
    EXPECT_FALSE(isGpslessTimeout("025"));
}

}  // namespace
}  // namespace zelvar
