#include "config/normalisation_notes.h"

#include <algorithm>
#include <utility>

#include "cfg/cfg_encoding.h"
#include "common/ascii.h"
#include "config/aprs_path.h"
#include "config/fields.h"
#include "config/text_number.h"
#include "text/translation.h"

namespace zelvar {
namespace {

// What a digit field's byte stands for, as the field shows it after the build.
std::string sentAs(ByteUnit unit, std::uint8_t byte, const std::string& shown) {
    switch (unit) {
        case ByteUnit::Count:
            break;
        case ByteUnit::Transmissions:
            return withArguments(translated("normalisation note", "%1 tx"), {shown});
        case ByteUnit::TenthsSecond:
            return withArguments(translated("normalisation note", "%1 x 100 ms"), {shown});
        case ByteUnit::TensOfSeconds:
            return withArguments(translated("normalisation note", "%1 x 10 s, %2 s"),
                                 {std::to_string(byte), shown});
        case ByteUnit::Flags:
            return withArguments(translated("normalisation note", "%1 flags, %2 ms"),
                                 {std::to_string(byte), shown});
    }
    return shown;
}

// The fields in the order their notes come: the digit fields, then the callsigns as the build
// tidies them, then the other texts the tracker gets as they are; each kind in the image's
// order.
int noteKind(Codec codec) {
    switch (codec) {
        case Codec::Digits:
            return 0;
        case Codec::Callsign:
        case Codec::Path:
            return 1;
        case Codec::Character:
        case Codec::Text:
            return 2;
        case Codec::Bits:
        case Codec::SymbolTable:
        case Codec::None:
            break;
    }
    return -1;
}

std::vector<const FieldRow*> notedFields() {
    std::vector<const FieldRow*> rows;
    for (const FieldRow& row : fieldRows()) {
        if (noteKind(row.image.codec) >= 0)
            rows.push_back(&row);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const FieldRow* a, const FieldRow* b) {
        return std::pair(noteKind(a->image.codec), a->image.offset) <
               std::pair(noteKind(b->image.codec), b->image.offset);
    });
    return rows;
}

// A text in a note: its hidden characters shown.
// The tracker's Latin-1 in the note's UTF-8, controls escaped.
std::string visible(const std::string& text) {
    return latin1ToUtf8(escapedControls(text, {}, TextBytes::Latin1));
}

std::string asTyped(const std::string& held) {
    return held.empty() ? std::string(translated("normalisation note", "(empty)")) : visible(held);
}

std::string quoted(const std::string& text) {
    return "\"" + visible(text) + "\"";
}

// An address entry as the tracker reads it: the callsign, then the SSID when the text after its
// dash is a number ("WIDE1-01" is WIDE1-1). Anything else after the dash stays, so that the entry
// no longer reads as what the tracker gets: the build keeps that text as typed, although only
// its leading number goes out ("WIDE1-1 WIDE2-1" sends WIDE1-1).
std::string readAsSent(std::string_view entry) {
    entry = trimSpaces(entry);
    const std::size_t dash = entry.size() > 1 ? entry.find('-', 1) : std::string_view::npos;
    if (dash == std::string_view::npos || dash + 1 == entry.size() ||
        !isAllDigits(entry.substr(dash + 1)))
        return std::string(entry);
    const auto ssid = static_cast<int>(leadingNumber(entry.substr(dash + 1)));
    return std::string(entry.substr(0, dash)) + (ssid > 0 ? "-" + std::to_string(ssid) : "");
}

// What the tracker gets of a field, as the field would show it: for the callsigns and the path,
// the addresses the image holds where the field, as the build leaves it, reads otherwise; for the
// symbol, the one character sent of a longer text a file brought (the field keeps it).
std::string sentText(const FieldRow& row, const std::string& after, const DeviceSettings& got) {
    if (row.image.codec == Codec::Character)
        return *fieldText(got, row.field);
    if (row.image.codec != Codec::Callsign && row.image.codec != Codec::Path)
        return after;
    std::string read;
    for (std::string_view entry :
         row.image.codec == Codec::Path ? pathEntries(after) : std::vector<std::string_view>{after})
        read += (read.empty() ? "" : ",") + readAsSent(entry);
    const std::string& image = *fieldText(got, row.field);
    return read == image ? after : image;
}

// A field that shows "NOCALL-9" may hold an invisible character that the tracker gets, or that
// makes the build cut the callsign elsewhere than the eye expects: the note names it.
std::string note(Field field, const std::string& held, const std::string& heldShown,
                 const std::string& sentAs) {
    // The arrow stays " -> ": a window draws it as an arrow (noteShown).
    std::string text = withArguments(translated("normalisation note", "%1 %2 -> %3"),
                                     {fieldLabel(field), heldShown, sentAs});
    if (const std::string hidden = hiddenCharactersHeld(held, TextBytes::Latin1); !hidden.empty())
        text = withArguments(translated("normalisation note", "%1: %2"), {text, hidden});
    return text;
}

}  // namespace

std::vector<NormalisationNote> normalisationNotes(const DeviceSettings& held,
                                                  const DeviceSettings& sent,
                                                  const ConfigImage& image,
                                                  const DeviceSettings& got) {
    static const std::vector<const FieldRow*> kNoted = notedFields();
    std::vector<NormalisationNote> notes;
    const bool gpsless = image[fieldRow(Field::AcquisitionTimeout).image.offset] == 0;
    for (const FieldRow* row : kNoted) {
        const Field field = row->field;
        const std::string& before = *fieldText(held, field);
        const std::string after = sentText(*row, *fieldText(sent, field), got);
        const std::uint8_t byte = image[row->image.offset];
        if (row->image.codec != Codec::Digits) {
            if (before != after) {
                notes.push_back(
                    {field, note(field, before, quoted(before),
                                 withArguments(translated("normalisation note", "sent as %1"),
                                               {quoted(after)}))});
            } else if (!hiddenCharactersNamed(before, TextBytes::Latin1).empty()) {
                notes.push_back({field, note(field, before, quoted(before),
                                             std::string(translated("normalisation note",
                                                                    "sent as it stands")))});
            }
        } else if (field == Field::AcquisitionInterval && gpsless) {
            notes.push_back(
                {field,
                 note(field, before, asTyped(before),
                      withArguments(translated("normalisation note",
                                               "not sent in GPSless Mode (byte %1 = %2)"),
                                    {std::to_string(row->image.offset), std::to_string(byte)}))});
        } else if (leadingNumber(before) != leadingNumber(after)) {
            notes.push_back(
                {field, note(field, before, asTyped(before),
                             withArguments(translated("normalisation note", "sent as %1"),
                                           {sentAs(row->image.unit, byte, after)}))});
        }
    }
    return notes;
}

}  // namespace zelvar
