#include "config/image_description.h"

#include "cfg/cfg_encoding.h"
#include "config/fields.h"
#include "config/text_number.h"
#include "text/translation.h"

namespace zelvar {
namespace {

std::string onOff(bool on) {
    return std::string(on ? translated("image description", "on")
                          : translated("image description", "off"));
}

// The tracker's Latin-1 in the description's UTF-8, beside words in the user's language.
std::string quoted(const std::string& text) {
    return "\"" + latin1ToUtf8(text) + "\"";
}

// A digit field's byte in its unit; `shown` is the decoded field.
std::string digitsValue(ByteUnit unit, std::uint8_t byte, const std::string& shown) {
    switch (unit) {
        case ByteUnit::Count:
            break;
        case ByteUnit::Transmissions:
            return withArguments(translated("image description", "%1 tx"), {std::to_string(byte)});
        case ByteUnit::TenthsSecond:
            return withArguments(translated("image description", "%1 ms"),
                                 {std::to_string(byte * 100)});
        case ByteUnit::TensOfSeconds:
            return withArguments(translated("image description", "every %1 s"),
                                 {std::to_string(byte * 10)});
        case ByteUnit::Flags:
            return withArguments(
                translated("image description", "%1 ms (%2 flags)"),
                {std::to_string(static_cast<int>(leadingNumber(shown))), std::to_string(byte)});
    }
    return std::to_string(byte);
}

std::string valueOf(const FieldRow& row, const ConfigImage& image, const DecodedImage& decoded) {
    const DeviceSettings& s = decoded.settings;
    const std::uint8_t byte = image[row.image.offset];
    const std::string* text = fieldText(s, row.field);
    switch (row.image.codec) {
        case Codec::Digits:
            if (row.field == Field::AcquisitionInterval && decoded.gpsless)
                return withArguments(translated("image description", "GPSless Mode (byte %1 = %2)"),
                                     {std::to_string(row.image.offset), std::to_string(byte)});
            return digitsValue(row.image.unit, byte & row.image.mask, *text);
        case Codec::Bits: {
            const int value = *fieldNumber(s, row.field);
            if (row.input.kind == Input::Choice)
                return std::to_string(value) + " " +
                       std::string(row.choices[static_cast<std::size_t>(value)]);
            return onOff((value != 0) != row.image.describedNegated);
        }
        // Another sender's table byte may be neither '/' nor '\\'; it shows as it is.
        case Codec::SymbolTable:
            if (byte == '\\')
                return std::string(translated("image description", " (alternate table \\)"));
            if (byte == '/')
                return std::string(translated("image description", " (primary table /)"));
            return withArguments(translated("image description", " (table %1)"),
                                 {latin1ToUtf8(std::string(1, static_cast<char>(byte)))});
        case Codec::Path:
            if (text->empty())
                return std::string(translated("image description", "(none)"));
            break;
        // The bytes themselves: an answer another sender wrote without "AA:" shows so.
        case Codec::Text:
            return quoted(imageText(image, row.image.offset));
        case Codec::Character:
        case Codec::Callsign:
        case Codec::None:
            break;
    }
    return quoted(*text);
}

}  // namespace

std::vector<TrackerSetting> describeImage(const ConfigImage& image, const DecodedImage& decoded) {
    std::vector<TrackerSetting> rows;
    for (const FieldRow& row : fieldRows()) {
        if (row.image.codec == Codec::None)
            continue;
        const std::string value = valueOf(row, image, decoded);
        // A row without a name of its own tells more of the one before: the symbol's table.
        if (row.described.empty() && !rows.empty()) {
            rows.back().value += value;
            rows.back().size = row.image.offset + imageBytes(row) - rows.back().first;
            continue;
        }
        rows.push_back({std::string(translated(kFieldLabelContext, row.described)), value,
                        row.image.offset, imageBytes(row)});
    }
    const std::size_t spare = spareOffset();
    rows.push_back(
        {std::string(translated("image description", "Spare bytes")),
         decoded.spareNonZero > 0
             ? withArguments(translatedPlural("image description", "%1 not zero", "%1 not zero",
                                              static_cast<unsigned long>(decoded.spareNonZero)),
                             {std::to_string(decoded.spareNonZero)})
             : std::string(translated("image description", "all 0")),
         spare, kImageSize - spare});
    return rows;
}

}  // namespace zelvar
