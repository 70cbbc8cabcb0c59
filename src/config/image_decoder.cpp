#include "config/image_decoder.h"

#include <algorithm>
#include <bit>

#include "config/fields.h"
#include "config/image_writer.h"
#include "config/text_number.h"

namespace zelvar {
namespace {

constexpr std::uint8_t kSsidZero = '0';

// A callsign entry as the builder writes it back: the call without spaces around it. Another
// sender's SSID character below '0' shows as the negative number the tracker's rules make of
// it ('/' as "AB--1"), not as no SSID.
std::string callsignAt(const ConfigImage& image, std::size_t start) {
    return std::string(trimSpaces(imageCallsign(image, start)));
}

// The field as the window shows it after the build that made the image.
void decodeField(const ConfigImage& image, const FieldRow& row, DeviceSettings& s) {
    const std::uint8_t byte = image[row.image.offset];
    std::string* text = fieldText(s, row.field);
    switch (row.image.codec) {
        case Codec::Digits:
            *text = formatDigits(fromByte(row.image.unit, byte & row.image.mask), row.input.length);
            return;
        case Codec::Bits: {
            const int value = (byte & row.image.mask) >> std::countr_zero(row.image.mask);
            *fieldNumber(s, row.field) = row.input.kind == Input::Choice ? value : value != 0;
            return;
        }
        case Codec::Character:
            *text = std::string(1, static_cast<char>(byte));
            return;
        case Codec::SymbolTable:
            *fieldNumber(s, row.field) = byte == '\\';
            return;
        case Codec::Callsign:
            *text = callsignAt(image, row.image.offset);
            return;
        case Codec::Path: {
            const std::size_t second = row.image.offset + kCallsignEntryLength;
            text->clear();
            if (byte != 0) {
                *text = callsignAt(image, row.image.offset);
                if (image[second] != 0)
                    *text += "," + callsignAt(image, second);
            }
            return;
        }
        case Codec::Text: {
            const std::string held = imageText(image, row.image.offset);
            *text =
                held.starts_with(row.image.prefix) ? held.substr(row.image.prefix.size()) : held;
            return;
        }
        case Codec::None:
            return;
    }
}

}  // namespace

std::string imageCallsign(const ConfigImage& image, std::size_t start) {
    std::string call(reinterpret_cast<const char*>(&image[start]), kCallsignLength);
    call.erase(call.find_last_not_of(' ') + 1);
    const int ssid = image[start + kCallsignLength] - kSsidZero;
    if (ssid != 0)
        call += "-" + std::to_string(ssid);
    return call;
}

std::string imageText(const ConfigImage& image, std::size_t start) {
    std::string text;
    for (std::size_t i = start; i < image.size() && image[i] != 0; ++i) {
        text.push_back(static_cast<char>(image[i]));
    }
    return text;
}

DecodedImage decodeImage(const ConfigImage& image) {
    DecodedImage decoded;
    DeviceSettings& s = decoded.settings;
    applyDefaults(s);
    decoded.gpsless = image[fieldRow(Field::AcquisitionTimeout).image.offset] == 0;
    decoded.txDelayFlags = image[fieldRow(Field::TxDelay).image.offset];
    for (const FieldRow& row : fieldRows()) {
        // In GPSless Mode the interval's byte carries the marker: the field keeps its default.
        if (!(row.field == Field::AcquisitionInterval && decoded.gpsless))
            decodeField(image, row, s);
    }
    decoded.spareNonZero =
        static_cast<int>(std::count_if(image.begin() + static_cast<std::ptrdiff_t>(spareOffset()),
                                       image.end(), [](auto b) { return b != 0; }));
    return decoded;
}

}  // namespace zelvar
