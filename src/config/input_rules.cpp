#include "config/input_rules.h"

#include <array>

#include "common/ascii.h"
#include "config/text_number.h"

namespace zelvar {
namespace {

using Codes = std::bitset<256>;

Codes range(int first, int last) {
    Codes codes;
    for (int code = first; code <= last; ++code)
        codes.set(static_cast<std::size_t>(code));
    return codes;
}

Codes of(std::string_view characters) {
    Codes codes;
    for (char c : characters)
        codes.set(static_cast<unsigned char>(c));
    return codes;
}

Codes without(Codes codes, std::string_view characters) {
    return codes & ~of(characters);
}

const Codes kDigits = range('0', '9');
// Callsigns: letters (raised), digits and the dash before the SSID.
const Codes kCallsign = range('A', 'Z') | kDigits | of("-");
// Every character a setting can hold: printable ASCII and the upper half of Latin-1.
const Codes kPrintable = range(32, 255);

InputRule text(std::size_t maxLength, Codes accepted, bool upperCase = false) {
    return {maxLength, false, upperCase, false, accepted, accepted};
}

InputRule digits(std::size_t positions, bool selectAllOnFocus = true) {
    return {positions, true, false, selectAllOnFocus, kDigits, kDigits};
}

std::array<InputRule, kFieldCount> makeFieldRules() {
    std::array<InputRule, kFieldCount> rules{};
    auto rule = [&rules](Field field) -> InputRule& {
        return rules[static_cast<std::size_t>(field)];
    };
    rule(Field::MyCall) = text(9, kCallsign, true);
    rule(Field::DestCall) = text(9, kCallsign, true);
    rule(Field::AprsPath) = text(19, kCallsign | of(","), true);
    // With a GPS the tracker adds its own position to the comment, which quotes and braces would
    // disturb; a GPSless beacon is an APRS position text and needs "{" and the quotes.
    rule(Field::Beacon) = text(35, without(range(32, 122), "'`"));
    rule(Field::Beacon).acceptedGpsless = range(32, 123);
    rule(Field::AprsMsg) = text(38, without(range(32, 125), "{|"));
    rule(Field::AutoReplyMsg) = text(30, kPrintable);
    // One position of any character but DEL; "_" itself is a symbol the user may type.
    rule(Field::Symbol) = text(1, without(kPrintable, "\x7F"));
    rule(Field::Symbol).masked = true;
    rule(Field::Symbol).selectAllOnFocus = true;
    for (Field field : {Field::NumFlagsAuto, Field::BcnEvery, Field::ManualTime,
                        Field::GpsCheckTime, Field::MsgRepeat, Field::CommPort}) {
        rule(field) = digits(maxLength(field));
    }
    for (int band = 0; band < 7; ++band)
        rule(speedTableField(band)) = digits(maxLength(speedTableField(band)));
    // Tabbing into the timeout leaves the caret before its digits.
    rule(Field::GpsAcqTime) = digits(maxLength(Field::GpsAcqTime), false);
    return rules;
}

std::array<InputRule, kCalculatorFieldCount> makeCalculatorRules() {
    // A sign or hemisphere letter may stand in front of the degrees. The altitude is read with
    // its decimals, so its point goes in: dropped, "300.4" would read as 3004 metres.
    const Codes coordinate = kDigits | of(".+-");
    return {text(0, coordinate | of("NS"), true), text(0, coordinate | of("EW"), true),
            text(5, kDigits | of("-."))};
}

}  // namespace

const InputRule& inputRule(Field field) {
    static const std::array<InputRule, kFieldCount> rules = makeFieldRules();
    return rules[static_cast<std::size_t>(field)];
}

const InputRule& inputRule(CalculatorField field) {
    static const std::array<InputRule, kCalculatorFieldCount> rules = makeCalculatorRules();
    return rules[static_cast<std::size_t>(field)];
}

int acceptedCode(const InputRule& rule, int code, bool gpsless) {
    if (code < 0 || code > 255)
        return kDroppedKey;
    if (rule.upperCase)
        code = asciiUpper(static_cast<char>(code)) & 0xFF;
    const std::bitset<256>& accepted = gpsless ? rule.acceptedGpsless : rule.accepted;
    return accepted.test(static_cast<std::size_t>(code)) ? code : kDroppedKey;
}

bool isGpslessTimeout(std::string_view timeout) {
    return leadingNumber(timeout) == 0;
}

std::string_view calculatorFieldName(CalculatorField field) {
    constexpr std::array<std::string_view, kCalculatorFieldCount> kNames = {"Latitude", "Longitude",
                                                                            "Altitude"};
    return kNames[static_cast<std::size_t>(field)];
}

}  // namespace zelvar
