#include "config/image_description.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "cfg/cfg_encoding.h"
#include "config/fields.h"
#include "config/image_writer.h"
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
        // The entries as their bytes hold them: spaces before a call show.
        case Codec::Path: {
            const std::size_t second = row.image.offset + kCallsignEntryLength;
            if (byte == 0)
                return std::string(translated("image description", "(none)"));
            return quoted(imageCallsign(image, row.image.offset) +
                          (image[second] != 0 ? "," + imageCallsign(image, second) : ""));
        }
        case Codec::Callsign:
            return quoted(imageCallsign(image, row.image.offset));
        // The bytes themselves: an answer another sender wrote without "AA:" shows so.
        case Codec::Text:
            return quoted(imageText(image, row.image.offset));
        case Codec::Character:
        case Codec::None:
            break;
    }
    return quoted(*text);
}

// The byte's bits no field reads: another sender may have set them.
std::uint8_t unreadBits(const ConfigImage& image, std::size_t index) {
    unsigned read = 0;
    for (const FieldRow& row : fieldRows()) {
        const std::size_t size = imageBytes(row);
        if (index >= row.image.offset && index < row.image.offset + size)
            read |= size == 1 ? row.image.mask : 0xFFu;
    }
    return static_cast<std::uint8_t>(image[index] & ~read);
}

// "0x48": bits as a byte in hex.
std::string hexByte(std::uint8_t byte) {
    constexpr std::string_view digits = "0123456789ABCDEF";
    return {'0', 'x', digits[byte >> 4], digits[byte & 0xF]};
}

// Where the row's value stops showing its bytes: after a text's 0, after the path's last
// address or its 0.
std::size_t shownEnd(const FieldRow& row, const ConfigImage& image) {
    const std::size_t start = row.image.offset;
    switch (row.image.codec) {
        case Codec::Text:
            return std::min(start + imageText(image, start).size() + 1, start + imageBytes(row));
        case Codec::Path: {
            const std::size_t second = start + kCallsignEntryLength;
            if (image[start] == 0)
                return start + 1;
            return image[second] == 0 ? second + 1 : second + kCallsignEntryLength;
        }
        case Codec::None:
        case Codec::Digits:
        case Codec::Bits:
        case Codec::Character:
        case Codec::SymbolTable:
        case Codec::Callsign:
            break;
    }
    return start + imageBytes(row);
}

// The non-zero bytes from `first` up to `end`, each with its index: "byte 37 = 65, byte 40 = 1".
std::string listedBytes(const ConfigImage& image, std::size_t first, std::size_t end) {
    std::string list;
    for (std::size_t i = first; i < end; ++i) {
        if (image[i] == 0)
            continue;
        list += (list.empty() ? "" : ", ") +
                withArguments(translated("image description", "byte %1 = %2"),
                              {std::to_string(i), std::to_string(image[i])});
    }
    return list;
}

// What of the row's bytes its value leaves out, as notes after it: the spare bits of a shared
// byte, bytes after a text's 0 or the path's end, a text without its 0. Our builder leaves none.
std::string unshownNotes(const FieldRow& row, const ConfigImage& image) {
    std::string notes;
    const std::size_t start = row.image.offset;
    const std::size_t end = start + imageBytes(row);
    if (imageBytes(row) == 1 && row.image.mask == 0xFF)
        return notes;
    if (imageBytes(row) == 1) {
        // The byte's first field tells of its spare bits, once.
        if (&row != &*std::find_if(fieldRows().begin(), fieldRows().end(),
                                   [&](const FieldRow& r) { return r.image.offset == start; }))
            return notes;
        if (const std::uint8_t bits = unreadBits(image, start); bits != 0)
            notes += "; " + withArguments(translated("image description", "reserved bits %1 set"),
                                          {hexByte(bits)});
        return notes;
    }
    if (const std::string past = listedBytes(image, shownEnd(row, image), end); !past.empty())
        notes += "; " + withArguments(translated("image description", "past its end: %1"), {past});
    if (row.image.codec == Codec::Text && imageText(image, start).size() >= imageBytes(row))
        notes += "; " + withArguments(translated("image description",
                                                 "no 0 byte in its %1 bytes: read on past them"),
                                      {std::to_string(imageBytes(row))});
    return notes;
}

}  // namespace

std::vector<TrackerSetting> describeImage(const ConfigImage& image, const DecodedImage& decoded) {
    std::vector<TrackerSetting> rows;
    for (const FieldRow& row : fieldRows()) {
        if (row.image.codec == Codec::None)
            continue;
        const std::string value = valueOf(row, image, decoded) + unshownNotes(row, image);
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
             ? withArguments(
                   translatedPlural("image description", "%1 not zero: %2", "%1 not zero: %2",
                                    static_cast<unsigned long>(decoded.spareNonZero)),
                   {std::to_string(decoded.spareNonZero), listedBytes(image, spare, kImageSize)})
             : std::string(translated("image description", "all 0")),
         spare, kImageSize - spare});
    return rows;
}

}  // namespace zelvar
