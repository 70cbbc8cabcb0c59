#include "ui/key_filters.h"

#include "common/ascii.h"
#include "config/text_number.h"

namespace zelvar {

int filterCallsignKey(int code) {
    if (isAsciiLower(code))
        return code - ('a' - 'A');
    if (code == kBackspaceKey || code == '-' || isAsciiDigit(code) || isAsciiUpper(code))
        return code;
    return kDroppedKey;
}

int filterPathKey(int code) {
    return code == ',' ? code : filterCallsignKey(code);
}

int filterMessageKey(int code) {
    if (code < 0 || code == '{' || code == '|' || code >= '~')
        return kDroppedKey;
    return code;
}

int filterBeaconKey(int code, bool gpsless) {
    if (code < 0)
        return kDroppedKey;
    if (gpsless)
        return code >= '|' ? kDroppedKey : code;
    if (code == '\'' || code == '`' || code >= '{')
        return kDroppedKey;
    return code;
}

int filterSymbolKey(int code) {
    if (code == kBackspaceKey || (code >= 32 && code <= 126) || (code >= 128 && code <= 255))
        return code;
    return kDroppedKey;
}

int filterDigitKey(int code) {
    return isAsciiDigit(code) ? code : kDroppedKey;
}

bool isGpslessTimeout(std::string_view timeout) {
    return leadingNumber(timeout) == 0;
}

}  // namespace zelvar
