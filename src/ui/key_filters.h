#pragma once

#include <string_view>

namespace zelvar {

// What a field does with one typed character, given as its code 0..255 (8 is backspace). Each
// filter returns the code to insert, possibly changed, or kDroppedKey when nothing is inserted.
inline constexpr int kDroppedKey = 0;
inline constexpr int kBackspaceKey = 8;

// Callsigns (edMyCall, edDestCall): backspace, "-", digits and letters, lower case raised.
int filterCallsignKey(int code);
// The digipeater path (edAprsPath): as a callsign, plus the "," between the two addresses.
int filterPathKey(int code);
// The APRS message (edAprsMsg): everything but "{", "|" and the codes from 126 on.
int filterMessageKey(int code);
// The beacon (edBeacon). With a GPS the tracker adds its own position, so quotes and braces
// that would disturb the comment are refused; a GPSless beacon is an APRS position text and
// needs "{" (and the quotes).
int filterBeaconKey(int code, bool gpsless);
// The symbol (edSymbol): one character of 32..126 or 128..255.
int filterSymbolKey(int code);
// The digit fields, masks "9" and "#": "0".."9" only.
int filterDigitKey(int code);

// An acquisition timeout whose leading number is 0, or that is empty, selects GPSless Mode.
bool isGpslessTimeout(std::string_view timeout);

}  // namespace zelvar
