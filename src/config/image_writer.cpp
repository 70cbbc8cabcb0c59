#include "config/image_writer.h"

#include "config/text_number.h"

namespace zelvar {
namespace {

constexpr int kSsidBase = '0';
constexpr int kHighestSsidChar = '?';

}  // namespace

bool putText(ConfigImage& image, std::size_t start, std::string_view text) {
    if (start + text.size() >= image.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        image[start + i] = static_cast<std::uint8_t>(text[i]);
    }
    image[start + text.size()] = 0;
    return true;
}

Result<std::string> putCallsign(ConfigImage& image, std::size_t start, std::string_view text,
                                bool terminate) {
    if (start + kCallsignLength + (terminate ? 1 : 0) >= image.size()) {
        return failure("callsign entry does not fit the image");
    }
    text = trimSpaces(text);
    // A dash in the first position belongs to the callsign.
    std::size_t dash = text.size() > 1 ? text.find('-', 1) : std::string_view::npos;
    std::string_view call = dash == std::string_view::npos ? text : text.substr(0, dash);

    int ssidChar = kSsidBase;
    if (dash != std::string_view::npos) {
        double value = roundHalfEven(leadingNumber(text.substr(dash + 1)) + kSsidBase);
        if (!(value >= -32768 && value <= 32767)) {
            return failure("SSID number out of range");
        }
        ssidChar = static_cast<int>(value);
        // Only 0..15 are SSIDs; anything else is sent as 0 and the field shows no SSID, so that
        // no '/' or 0 byte goes out where the tracker expects '0'..'?'.
        if (ssidChar < kSsidBase || ssidChar > kHighestSsidChar) {
            ssidChar = kSsidBase;
        }
    }

    std::string padded(call.substr(0, kCallsignLength));
    padded.resize(kCallsignLength, ' ');
    for (std::size_t i = 0; i < kCallsignLength; ++i) {
        image[start + i] = static_cast<std::uint8_t>(padded[i]);
    }
    image[start + kCallsignLength] = static_cast<std::uint8_t>(ssidChar);
    if (terminate) {
        image[start + kCallsignEntryLength] = 0;
    }

    std::string normalised(trimSpaces(padded));
    if (ssidChar > kSsidBase) {
        normalised += text.substr(dash);
    }
    return normalised;
}

}  // namespace zelvar
