#include "config/input_rules.h"

#include <array>
#include <utility>

#include "common/ascii.h"
#include "config/fields.h"
#include "config/text_number.h"
#include "text/translation.h"

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
// Every character a setting can hold: printable ASCII and the printable upper half of Latin-1;
// DEL and the C1 control codes (a paste from a Windows-1252 text) would go on the air unseen.
const Codes kPrintable = range(32, 126) | range(160, 255);

// A Turkish or Azeri keyboard types its own two forms of the letter: the dotless "ı", and the
// dotted capital "İ" that Caps Lock or a phone's capitals make of "i". Raised, both are the "I"
// a field of capitals takes; dropped, "wıde1-1" went in as "WDE1-1".
constexpr int kDotlessI = 0x131;
constexpr int kDottedCapitalI = 0x130;

InputRule text(std::size_t maxLength, Codes accepted, bool upperCase = false) {
    return {maxLength, false, upperCase, false, accepted, accepted};
}

// A number read with its decimals takes a decimal comma, as a German keypad types it, for its
// point: dropped, "300,4" would read as 3004 and a latitude "4,5" as 45 degrees.
InputRule decimals(InputRule rule) {
    rule.decimalComma = true;
    return rule;
}

// A field's characters as codes: in the GPS display, and in the GPSless one.
std::pair<Codes, Codes> codesOf(Characters characters) {
    switch (characters) {
        case Characters::None:
            break;
        case Characters::Digits:
            return {kDigits, kDigits};
        case Characters::Callsign:
            return {kCallsign, kCallsign};
        case Characters::Path:
            return {kCallsign | of(","), kCallsign | of(",")};
        // With a GPS the tracker adds its own position to the comment, which quotes and braces
        // would disturb; a GPSless beacon is an APRS position text and needs "{" and the quotes.
        case Characters::Beacon:
            return {without(range(32, 122), "'`"), range(32, 123)};
        case Characters::Message:
            return {without(range(32, 125), "{|"), without(range(32, 125), "{|")};
        case Characters::Any:
            return {kPrintable, kPrintable};
    }
    return {};
}

InputRule ruleOf(const FieldRow& row) {
    const FieldInput& input = row.input;
    if (input.kind == Input::Flag || input.kind == Input::Choice)
        return {};
    const auto [accepted, acceptedGpsless] = codesOf(input.characters);
    const bool masked = input.kind != Input::Text;
    const bool upperCase =
        input.characters == Characters::Callsign || input.characters == Characters::Path;
    return {input.length, masked, upperCase, input.selectAllOnFocus, accepted, acceptedGpsless};
}

std::array<InputRule, kFieldCount> makeFieldRules() {
    std::array<InputRule, kFieldCount> rules{};
    for (const FieldRow& row : fieldRows())
        rules[static_cast<std::size_t>(row.field)] = ruleOf(row);
    return rules;
}

std::array<InputRule, kCalculatorFieldCount> makeCalculatorRules() {
    // Every notation the calculator reads: a sign or a hemisphere letter before or after the
    // numbers, blanks between them, the degree, minute and second marks as Latin-1 has them (the
    // .cfg keeps the text as typed), and in Latitude the letters of a Maidenhead locator, which
    // hold N and S. In Longitude an "O" too, west in Italian, French, Spanish and Portuguese and
    // east in German, for the reader to refuse by name: dropped, it left a western longitude east
    // without a word. All three are read with their decimals, so the point goes in: dropped,
    // "300.4" would read as 3004 metres.
    const Codes coordinate = kDigits | of(".+- '\"\xB0\xBA\xB4");
    return {decimals(text(0, coordinate | range('A', 'X'), true)),
            decimals(text(0, coordinate | of("EWO"), true)), decimals(text(5, kDigits | of("-.")))};
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
    if (code > 0)
        code = static_cast<int>(asciiOfTyped(static_cast<char32_t>(code)));
    if (rule.upperCase && (code == kDotlessI || code == kDottedCapitalI))
        code = 'I';
    if (code < 0 || code > 255)
        return kDroppedKey;
    if (rule.decimalComma && code == ',')
        code = '.';
    if (rule.upperCase)
        code = asciiUpper(static_cast<char>(code)) & 0xFF;
    const std::bitset<256>& accepted = gpsless ? rule.acceptedGpsless : rule.accepted;
    return accepted.test(static_cast<std::size_t>(code)) ? code : kDroppedKey;
}

bool isGpslessTimeout(std::string_view timeout) {
    return leadingNumber(timeout) == 0;
}

std::string_view calculatorFieldName(CalculatorField field) {
    constexpr std::array<std::string_view, kCalculatorFieldCount> kNames = {
        marked("calculator", "Latitude"), marked("calculator", "Longitude"),
        marked("calculator", "Altitude")};
    return translated("calculator", kNames[static_cast<std::size_t>(field)]);
}

}  // namespace zelvar
