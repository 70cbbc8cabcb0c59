#include "ui/key_filters.h"

#include "config/text_number.h"

namespace zelvar {
namespace {

bool isDigit(int code) {
    return code >= '0' && code <= '9';
}
bool isUpper(int code) {
    return code >= 'A' && code <= 'Z';
}
bool isLower(int code) {
    return code >= 'a' && code <= 'z';
}

}  // namespace

int filterCallsignKey(int code) {
    if (isLower(code))
        return code - ('a' - 'A');
    if (code == kBackspaceKey || code == '-' || isDigit(code) || isUpper(code))
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
    return isDigit(code) ? code : kDroppedKey;
}

bool isGpslessTimeout(std::string_view timeout) {
    return leadingNumber(timeout) == 0;
}

}  // namespace zelvar
