#pragma once

#include <bitset>
#include <cstddef>
#include <string_view>

#include "config/device_settings.h"

namespace zelvar {

// What an entry field takes from the user, as data that every front end reads, so the desktop
// window and the web page accept exactly the same characters. It judges what the user adds,
// typed, pasted or dropped, one character at a time; text the program writes (the defaults, a
// load, a build's normalised values, the calculator's beacon) goes in as it is.
struct InputRule {
    std::size_t maxLength = 0;         // characters or mask positions; 0: no limit (or no text)
    bool masked = false;               // one position per character, "_" in each unfilled one
    bool upperCase = false;            // lower-case letters go in raised
    bool selectAllOnFocus = false;     // entering the field selects its whole content
    std::bitset<256> accepted;         // codes that go in, after raising
    std::bitset<256> acceptedGpsless;  // the same while the GPSless display is shown
    bool decimalComma = false;         // "," goes in as the decimal point the field reads
};

// The calculator's entry fields, which are not part of the settings record.
enum class CalculatorField { Latitude, Longitude, Altitude };
inline constexpr std::size_t kCalculatorFieldCount = 3;

// The rule of a field of the form; flags and lists have an empty one.
const InputRule& inputRule(Field field);
const InputRule& inputRule(CalculatorField field);

// What goes in for one typed character code: the code itself, the code raised to upper case, or
// kDroppedKey when the field refuses it. Codes outside 0..255 are refused, as the settings hold
// one Latin-1 byte per character, but for the full-width forms of ASCII (U+FF01..U+FF5E and the
// ideographic space U+3000), which are judged as the ASCII they stand for, as are the Japanese
// comma, point and long-vowel mark the comma, point and minus keys type; where the rule has
// decimalComma, a comma as the point.
inline constexpr int kDroppedKey = 0;
int acceptedCode(const InputRule& rule, int code, bool gpsless);

// An acquisition timeout whose leading number is 0, or that is empty, selects GPSless Mode.
bool isGpslessTimeout(std::string_view timeout);

std::string_view calculatorFieldName(CalculatorField field);  // "Latitude", "Longitude", ...

}  // namespace zelvar
