#include "hex.h"

#include <cctype>

#include "common/ascii.h"

namespace zelvar::cli {

std::string toHex(std::string_view bytes) {
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (unsigned char byte : bytes)
        hex += hexByte(byte);
    return asciiLowered(hex);
}

std::optional<std::string> fromHex(std::string_view text) {
    std::string bytes;
    int high = -1;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)))
            continue;
        int value = hexDigitValue(c);
        if (value < 0)
            return std::nullopt;
        if (high < 0) {
            high = value;
        } else {
            bytes.push_back(static_cast<char>(high << 4 | value));
            high = -1;
        }
    }
    if (high >= 0)
        return std::nullopt;
    return bytes;
}

}  // namespace zelvar::cli
